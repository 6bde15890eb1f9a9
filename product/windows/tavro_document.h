#pragma once

// The selection documents of the main window: the File menu's commands
// (open, save, save as, the last four files, the stored results of the
// document), the window title naming the open document with its unsaved
// mark, and the question before unsaved changes are lost. The window owns
// one; the document itself is written and read by the product model.

#include "product/model/selection_document.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QMenu;

namespace tavro {

class TFormTavro;
class TIniDatei;

class TavroDocument : public QObject {
    Q_OBJECT

public:
    /// How many files the File menu lists.
    static constexpr int kRecentFiles = 4;

    /// Adds the commands to the window's File menu, before Exit, and
    /// watches the window's close. `window` must outlive this object.
    explicit TavroDocument(TFormTavro& window);

    /// Sets the texts of the commands in the current language.
    void SetCaptions();

    /// Reads the list of recent files from the settings (product section);
    /// entries that are empty or repeated are left out.
    void ReadRecentFiles(const TIniDatei& settings, const std::string& section);
    /// Writes the list of recent files into the settings.
    void WriteRecentFiles(TIniDatei& settings, const std::string& section) const;

    /// The commands. Each asks first when unsaved changes would be lost,
    /// and reports a failure in a message; none throws. Open and the
    /// recent files return whether the document was opened, the saves
    /// whether the document was written.
    bool OpenClick();
    bool Open(const QString& path);
    bool Save();
    bool SaveAs();
    /// Writes the window's selection to `path`; on success `path` becomes
    /// the open document and the unsaved mark goes.
    bool SaveTo(const QString& path);
    /// Shows the figures the open document stored, read-only, beside the
    /// window's current ones.
    void ShowStoredResults();

    /// Whether the window may drop its selection: true without unsaved
    /// changes, and when `closing` without an open document (the settings
    /// keep the inputs then); else after the question (Save and a
    /// successful save, or Discard); false for Cancel or a failed save.
    bool MayDropDocument(bool closing = false);

    /// Compares the window's selection with the one saved or opened last
    /// (or shown when the window first appeared) and sets the unsaved mark
    /// accordingly; nothing while a document is being opened or before the
    /// window has been shown.
    void CheckModified();

    /// The open document's path; empty when none is open.
    const QString& Path() const { return path_; }
    bool Modified() const { return modified_; }
    /// The recent files, newest first.
    const QStringList& RecentFiles() const { return recent_; }
    /// The selection as the open document stored it, when its figures
    /// differ from the recalculated ones.
    const std::optional<SelectionDocument>& Stored() const { return stored_; }
    /// The program's title without a document ("Tavro").
    const QString& BaseTitle() const { return baseTitle_; }

    /// The file dialogs as tests answer them: called instead of the dialog
    /// with `save` and the proposed path; returns the chosen path or an
    /// empty text for Cancel. Pass an empty function to remove it.
    using FileDialogHook = std::function<QString(bool save, const QString& proposed)>;
    static void SetFileDialogHook(FileDialogHook hook);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString AskFileName(bool save) const;
    /// Reads the document at `path` and shows it, without asking first.
    bool OpenFile(const QString& path);
    /// Shows a document read from `path` and makes it the open one.
    bool OpenDocument(const QString& path, const SelectionDocument& doc);
    /// Puts the document's selection into the window; `display` applies its
    /// display options too.
    void ShowSelection(const SelectionState& s, bool display);
    /// Whether the window's display options differ from the state's.
    bool DisplayDiffers(const SelectionState& s) const;
    void ReportDifferences(const SelectionDocument& doc,
                           const std::vector<ResultDifference>& differences);
    std::string Fingerprint() const;
    void SetDocument(const QString& path);
    void AddRecentFile(const QString& path);
    void RebuildRecentMenu();
    void UpdateTitle();

    TFormTavro& w_;
    QString baseTitle_;
    QString path_;
    bool modified_ = false;
    bool opening_ = false;
    bool shown_ = false; ///< the window has been shown: clean_ is set
    std::string clean_; ///< fingerprint of the selection saved or opened last
    QStringList recent_;
    std::optional<SelectionDocument> stored_;
    QAction* open_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* storedResults_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentItems_;
};

} // namespace tavro
