// The File menu's document commands of the main window, its title with the
// open document and the unsaved mark, the list of recent files, and the
// question before unsaved changes are dropped.

#include "product/windows/tavro_document.h"

#include "controls/message_dialog.h"
#include "product/windows/document_dialogs.h"
#include "product/windows/tavro_window.h"
#include "shell/qt/qt_text.h"
#include "shell/qt/version.h"
#include "shell/settings/ini_file.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>

namespace tavro {

namespace {

// Text numbers of the commands and messages.
constexpr int kOpenText = 720;
constexpr int kSaveText = 721;
constexpr int kSaveAsText = 722;
constexpr int kFilterText = 723;
constexpr int kStoredResultsText = 724;
constexpr int kSaveChangesText = 725;
constexpr int kDiscardText = 726;
constexpr int kNotOpenedText = 727;
constexpr int kNotSavedText = 728;
constexpr int kMissingFileText = 729;
constexpr int kSaveSelectionText = 742;
constexpr int kSaveButtonText = 149;
constexpr int kCancelText = 161;

// The settings key of the n-th recent file (1 the newest).
std::string RecentKey(int n) {
    return "RecentFile" + std::to_string(n);
}

TavroDocument::FileDialogHook& DialogHook() {
    static TavroDocument::FileDialogHook hook;
    return hook;
}

// `text` with each "%s" replaced by the next of `values`.
QString Fill(QString text, const QStringList& values) {
    qsizetype from = 0;
    for (const QString& v : values) {
        const qsizetype at = text.indexOf(QStringLiteral("%s"), from);
        if (at < 0) break;
        text.replace(at, 2, v);
        from = at + v.size();
    }
    return text;
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Runs a command of the menu; an error it raises is shown, and the program
// goes on, as with the window's other commands.
template <class F> void Guarded(F&& command) {
    try {
        command();
    } catch (const std::exception& e) {
        ShowExceptionMessage(e);
    }
}

} // namespace

TavroDocument::TavroDocument(TFormTavro& window) : QObject(&window), w_(window) {
    baseTitle_ = w_.windowTitle();
    QMenu* file = w_.MenuItem(QStringLiteral("Menu_Datei"))->menu();
    QAction* exit = w_.MenuItem(QStringLiteral("Menu_Datei_Beenden"));
    auto add = [&](const char* name, QKeySequence keys) {
        auto* a = new QAction(file);
        a->setObjectName(QString::fromLatin1(name));
        if (!keys.isEmpty()) {
            a->setShortcut(keys);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        file->insertAction(exit, a);
        return a;
    };
    open_ = add("Menu_Datei_Oeffnen", QKeySequence::Open);
    save_ = add("Menu_Datei_Speichern", QKeySequence::Save);
    saveAs_ = add("Menu_Datei_SpeichernUnter", QKeySequence());
    file->insertSeparator(exit);
    storedResults_ = add("Menu_Datei_GespeicherteErgebnisse", QKeySequence());
    storedResults_->setEnabled(false);
    recentSeparator_ = file->insertSeparator(exit);
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* a = add(("Menu_Datei_Zuletzt" + std::to_string(i + 1)).c_str(), QKeySequence());
        connect(a, &QAction::triggered, this, [this, i] {
            // A copy: opening changes the list.
            if (i < recent_.size()) Guarded([&] { Open(QString(recent_[i])); });
        });
        recentItems_.push_back(a);
    }
    file->insertSeparator(exit);
    connect(open_, &QAction::triggered, this, [this] { Guarded([this] { OpenClick(); }); });
    connect(save_, &QAction::triggered, this, [this] { Guarded([this] { Save(); }); });
    connect(saveAs_, &QAction::triggered, this, [this] { Guarded([this] { SaveAs(); }); });
    connect(storedResults_, &QAction::triggered, this,
            [this] { Guarded([this] { ShowStoredResults(); }); });

    // Every other command of the menus, and the season button, may change
    // the selection (the offer header, the notes, the options): the mark
    // is checked once it has run.
    std::function<void(QMenu*)> watch = [&](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->menu()) {
                watch(a->menu());
            } else if (a->parent() != file || a == exit) {
                connect(a, &QAction::triggered, this,
                        [this] { Guarded([this] { CheckModified(); }); });
            }
        }
    };
    for (QAction* a : w_.MainMenu1->actions()) {
        if (a->menu()) watch(a->menu());
    }
    connect(w_.Button_Seasons, &QPushButton::clicked, this,
            [this] { Guarded([this] { CheckModified(); }); });
    w_.installEventFilter(this);
    SetCaptions();
    RebuildRecentMenu();
}

void TavroDocument::SetCaptions() {
    open_->setText(TextOf(kOpenText));
    save_->setText(TextOf(kSaveText));
    saveAs_->setText(TextOf(kSaveAsText));
    storedResults_->setText(TextOf(kStoredResultsText));
}

void TavroDocument::SetFileDialogHook(FileDialogHook hook) {
    DialogHook() = std::move(hook);
}

void TavroDocument::ReadRecentFiles(const TIniDatei& settings, const std::string& section) {
    recent_.clear();
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString path =
            QString::fromStdString(settings.ReadString(section, RecentKey(i), std::string_view()));
        if (!path.isEmpty() && !recent_.contains(path)) recent_.push_back(path);
    }
    RebuildRecentMenu();
}

void TavroDocument::WriteRecentFiles(TIniDatei& settings, const std::string& section) const {
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString path = i <= recent_.size() ? recent_[i - 1] : QString();
        settings.WriteString(section, RecentKey(i), path.toStdString());
    }
}

void TavroDocument::AddRecentFile(const QString& path) {
    recent_.removeAll(path);
    recent_.push_front(path);
    while (recent_.size() > kRecentFiles)
        recent_.pop_back();
    RebuildRecentMenu();
}

void TavroDocument::RebuildRecentMenu() {
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* a = recentItems_[i];
        const bool used = i < recent_.size();
        a->setVisible(used);
        if (used) {
            // "&1 offer.tavro", the whole path as tip; '&' in a name shows
            // as itself.
            QString name = QFileInfo(recent_[i]).fileName();
            name.replace(QLatin1Char('&'), QStringLiteral("&&"));
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
            a->setToolTip(recent_[i]);
            a->setStatusTip(recent_[i]);
        }
    }
    recentSeparator_->setVisible(!recent_.isEmpty());
}

QString TavroDocument::AskFileName(bool save) const {
    QString proposed = path_;
    if (proposed.isEmpty()) {
        const QString folder =
            !recent_.isEmpty()
                ? QFileInfo(recent_.front()).absolutePath()
                : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        proposed = QDir(folder.isEmpty() ? QDir::homePath() : folder)
                       .filePath(save ? QStringLiteral("selection.tavro") : QString());
    }
    if (DialogHook()) return DialogHook()(save, proposed);
    QFileDialog dialog(&w_);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("tavro"));
    dialog.setNameFilter(TextOf(kFilterText));
    // Qt's own dialog speaks the program's language.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    const QFileInfo info(proposed);
    dialog.setDirectory(info.isDir() ? proposed : info.absolutePath());
    if (save) dialog.selectFile(info.fileName());
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

bool TavroDocument::OpenClick() {
    if (!w_.CommitPendingEntries()) return false;
    CheckModified();
    if (!MayDropDocument()) return false;
    const QString path = AskFileName(false);
    return !path.isEmpty() && OpenFile(path);
}

bool TavroDocument::Save() {
    if (path_.isEmpty()) return SaveAs();
    return SaveTo(path_);
}

bool TavroDocument::SaveAs() {
    QString path = AskFileName(true);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".tavro");
    return SaveTo(path);
}

bool TavroDocument::SaveTo(const QString& path) {
    if (!w_.CommitPendingEntries()) return false;
    SelectionState s = w_.Selection();
    s.caption = baseTitle_.toStdString();
    try {
        SaveSelectionDocument(LocalPath(path), s, "tavro " + VersionLong());
    } catch (const std::exception& e) {
        ShowMessageDialog(TextOf(kNotSavedText) + QStringLiteral("\n\n") +
                              QString::fromUtf8(e.what()),
                          baseTitle_, mkError);
        return false;
    }
    // What the document now holds: its own figures are the stored ones.
    stored_.reset();
    SetDocument(path);
    return true;
}

bool TavroDocument::MayDropDocument(bool closing) {
    if (!modified_ || (closing && path_.isEmpty())) return true;
    const QString question = path_.isEmpty()
                                 ? TextOf(kSaveSelectionText)
                                 : Fill(TextOf(kSaveChangesText), {QFileInfo(path_).fileName()});
    const int answer = AskDocumentQuestion(&w_, question, baseTitle_,
                                           {{TextOf(kSaveButtonText), mrOk},
                                            {TextOf(kDiscardText), mrDiscard},
                                            {TextOf(kCancelText), mrCancel}});
    if (answer == mrOk) return Save();
    return answer == mrDiscard;
}

bool TavroDocument::Open(const QString& path) {
    if (!w_.CommitPendingEntries()) return false;
    CheckModified();
    if (!MayDropDocument()) return false;
    return OpenFile(path);
}

bool TavroDocument::OpenFile(const QString& path) {
    if (!QFileInfo::exists(path) && recent_.contains(path)) {
        // A recent file that has gone leaves the list.
        recent_.removeAll(path);
        RebuildRecentMenu();
        ShowMessageDialog(Fill(TextOf(kMissingFileText), {path}), baseTitle_, mkWarning);
        return false;
    }
    SelectionDocument doc;
    try {
        doc = LoadSelectionDocument(LocalPath(path));
    } catch (const std::exception& e) {
        ShowMessageDialog(TextOf(kNotOpenedText) + QStringLiteral("\n\n") +
                              QString::fromUtf8(e.what()),
                          baseTitle_, mkError);
        return false;
    }
    return OpenDocument(path, doc);
}

void TavroDocument::SetDocument(const QString& path) {
    path_ = QFileInfo(path).absoluteFilePath();
    AddRecentFile(path_);
    clean_ = Fingerprint();
    shown_ = true;
    modified_ = false;
    storedResults_->setEnabled(stored_.has_value());
    UpdateTitle();
}

void TavroDocument::CheckModified() {
    if (opening_ || !shown_) return;
    const bool modified = Fingerprint() != clean_;
    if (modified == modified_) return;
    modified_ = modified;
    UpdateTitle();
}

void TavroDocument::UpdateTitle() {
    if (path_.isEmpty()) {
        w_.setWindowTitle(baseTitle_);
        w_.setWindowModified(false);
        return;
    }
    // "offer.tavro* – Tavro": the mark shows while the window is modified.
    // A "[*]" of the file's own name is doubled, which Qt shows as itself.
    QString name = QFileInfo(path_).fileName();
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    w_.setWindowTitle(name + QStringLiteral("[*] \u2013 ") + baseTitle_);
    w_.setWindowModified(modified_);
}

bool TavroDocument::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &w_ && event->type() == QEvent::Show && !shown_) {
        // The selection the window starts with: a change of it is asked
        // about before a document replaces it.
        clean_ = Fingerprint();
        shown_ = true;
    }
    if (watched == &w_ && event->type() == QEvent::Close) {
        bool drop = false;
        Guarded([&] {
            CheckModified();
            drop = MayDropDocument(true);
        });
        if (!drop) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavro
