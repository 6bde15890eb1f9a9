#include "controls/vk_form.h"

#include "shell/qt/fonts.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace tavro {

namespace {

TVkForm::ModalHook& Hook() {
    static TVkForm::ModalHook hook;
    return hook;
}

std::vector<TVkForm*>& AllForms() {
    static std::vector<TVkForm*> forms;
    return forms;
}

} // namespace

TVkForm::TVkForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    AllForms().push_back(this);
    setFont(UiFont().font);
}

TVkForm::~TVkForm() {
    auto& forms = AllForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

const std::vector<TVkForm*>& TVkForm::Forms() {
    return AllForms();
}

void TVkForm::SetModalHook(ModalHook hook) {
    Hook() = std::move(hook);
}

int TVkForm::ShowModal() {
    modalResult_ = mrNone;
    modal_ = true;
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    if (Hook()) {
        // The hook answers for the person; it may also set the result by
        // clicking a button, which then wins over the hook's own answer.
        const int answer = Hook()(*this);
        if (modalResult_ == mrNone) modalResult_ = answer;
    } else {
        QEventLoop loop;
        QPointer<TVkForm> self(this);
        while (self && modalResult_ == mrNone && isVisible()) {
            loop.processEvents(QEventLoop::WaitForMoreEvents);
        }
        if (!self) return mrCancel;
    }
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    modal_ = false;
    hide();
    setWindowModality(Qt::NonModal);
    return modalResult_;
}

void TVkForm::SetModalResult(int result) {
    modalResult_ = result;
    if (modal_ && result != mrNone) hide();
}

void TVkForm::SetDefaultButton(QPushButton* button) {
    defaultButton_ = button;
    if (button) button->setDefault(true);
}

void TVkForm::SetCancelButton(QPushButton* button) {
    cancelButton_ = button;
}

void TVkForm::SetButtonResult(QPushButton* button, int result) {
    connect(button, &QPushButton::clicked, this, [this, result] { SetModalResult(result); });
}

void TVkForm::SetFixedClientSize(int width, int height) {
    setFixedSize(width, height);
}

void TVkForm::CentreOnScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
}

void TVkForm::SetCaptions() {
    setFont(UiFont().font);
}

void TVkForm::closeEvent(QCloseEvent* event) {
    if (modal_ && modalResult_ == mrNone) modalResult_ = mrCancel;
    QWidget::closeEvent(event);
}

void TVkForm::keyPressEvent(QKeyEvent* event) {
    if (modal_ && event->key() == Qt::Key_Escape && cancelButton_ && cancelButton_->isEnabled()) {
        cancelButton_->click();
        return;
    }
    if (modal_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        defaultButton_ && defaultButton_->isEnabled()) {
        defaultButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tavro
