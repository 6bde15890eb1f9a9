#pragma once

// Test support: the Tavro main window started as the program starts it, on
// a settings folder of its own, in English with the point as decimal
// separator. Every modal window is answered by the test: message boxes are
// collected, any other form goes to OnModal.

#include "controls/message_dialog.h"
#include "product/windows/tavro_window.h"
#include "shell/texts/languages.h"
#include "shell/texts/number_format.h"
#include "tests/support/temp_folder.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace tavro::test {

class TavroWindowTest : public testing::Test {
protected:
    void SetUp() override {
        CurrentLanguage = kEnglish;
        DecimalSeparator = '.';
        ThousandSeparator = ',';
        TVkForm::SetModalHook([this](TVkForm& form) {
            if (auto* m = dynamic_cast<TMessageForm*>(&form)) {
                messages_.push_back(m->Message());
                titles_.push_back(m->Title());
                return int(mrOk);
            }
            return OnModal(form);
        });
    }
    void TearDown() override {
        window_.reset();
        TVkForm::SetModalHook(nullptr);
        CurrentLanguage = kEnglish;
        DecimalSeparator = '.';
    }

    /// What a modal form other than a message box returns; it runs in
    /// place of the form's own event loop.
    virtual int OnModal(TVkForm&) { return mrOk; }

    /// Starts the window as the program does, on the current settings file.
    TFormTavro& Start() {
        window_ = std::make_unique<TFormTavro>();
        window_->FormCreate();
        if (frostCheck_ && window_->UseFrostCheck != *frostCheck_) {
            // As the options dialog sets it: the process data's frost rows
            // follow.
            window_->UseFrostCheck = *frostCheck_;
            window_->OptionsApplied();
        }
        window_->show();
        QApplication::setActiveWindow(window_.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        return *window_;
    }
    void Restart() {
        window_->close();
        window_.reset();
        Start();
    }
    /// Types a value into an edit and commits it with Enter.
    static void Enter(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void Calculate() { QTest::keyClick(window_.get(), Qt::Key_F9); }

    /// The frost check the window starts with; nullopt: as the settings
    /// file says. Off for the tests of the window without it: the default
    /// outside air of -12 °C lies below the default exchanger's frost limit.
    std::optional<bool> frostCheck_ = false;
    TempConfigHome home_;
    std::unique_ptr<TFormTavro> window_;
    std::vector<QString> messages_;
    std::vector<QString> titles_;
};

} // namespace tavro::test
