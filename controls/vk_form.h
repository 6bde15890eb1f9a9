#pragma once

// The common base of every window of the program: a top-level widget with
// a caption routine, a modal result and modal showing, as the in-house
// windows expect of a form.

#include <QWidget>

#include <functional>
#include <vector>

class QPushButton;

namespace tavro {

/// Results of a modal window.
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
};

class TVkForm : public QWidget {
    Q_OBJECT

public:
    explicit TVkForm(QWidget* parent = nullptr);
    ~TVkForm() override;

    /// Shows the window modally (the other windows take no input) until a
    /// button sets a modal result or the window is closed (mrCancel), and
    /// returns that result. The window is hidden again afterwards, not freed.
    int ShowModal();

    /// Sets the modal result; anything but mrNone ends ShowModal.
    void SetModalResult(int result);
    int GetModalResult() const { return modalResult_; }
    bool IsModal() const { return modal_; }

    /// The button that Enter presses and the one that Escape presses while
    /// the window is shown; each sets its modal result when it has one.
    void SetDefaultButton(QPushButton* button);
    void SetCancelButton(QPushButton* button);

    /// Makes a button end ShowModal with `result` when clicked.
    void SetButtonResult(QPushButton* button, int result);

    /// Gives the window this client size and no resizing.
    void SetFixedClientSize(int width, int height);

    /// Centres the window on the screen it is on (the primary screen before
    /// it is shown).
    void CentreOnScreen();

    /// The caption routine: assigns UiFont and sets every caption from the
    /// text table. Windows override it; a language change calls it again.
    virtual void SetCaptions();

    /// Tests answer modal windows through this hook: while it is set,
    /// ShowModal calls it with the window (shown, not yet waiting) instead of
    /// waiting for a person, and returns what it returns. Pass nullptr to
    /// remove it. The hook may fill fields and click buttons.
    using ModalHook = std::function<int(TVkForm&)>;
    static void SetModalHook(ModalHook hook);

    /// Every top-level TVkForm that exists, in creation order.
    static const std::vector<TVkForm*>& Forms();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int modalResult_ = mrNone;
    bool modal_ = false;
    QPushButton* defaultButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace tavro
