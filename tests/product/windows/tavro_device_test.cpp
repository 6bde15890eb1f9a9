// The device panel of the main window as a user meets it: the package width
// field's range, and device changes while a field holds a text it refused.

#include "tests/support/tavro_window_fixture.h"

#include "controls/daten_grid.h"
#include "controls/num_edit.h"
#include "shell/windows/options_window.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace tavro {
namespace {

class TavroDevice : public test::TavroWindowTest {
protected:
    void SetUp() override {
        TavroWindowTest::SetUp();
        Start();
    }
    int OnModal(TVkForm& form) override {
        if (dynamic_cast<TFormOptionen*>(&form) != nullptr) ++options_;
        return mrOk;
    }
    /// Types a text into the width field without committing it.
    void TypeWidth(const char* text) {
        TIntEdit* e = window_->Edit_GBreite;
        e->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([e] { return e->hasFocus(); }));
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, QString::fromLatin1(text));
    }
    /// What the device labels say.
    QStringList Labels() const {
        const TFormTavro& w = *window_;
        return {w.Label_Bauform->text(), w.L_Hoehe->text(), w.L_Breite->text(), w.L_Tiefe->text(),
                w.L_Gewicht->text()};
    }

    int options_ = 0;
};

TEST_F(TavroDevice, WidthFieldTakesOnlyWidthsTheCatalogueBuilds) {
    TFormTavro& w = *window_;
    const QString velocity = w.Tabelle_w_dp->Cell(1, 0);
    for (const char* typed : {"0", "90", "-5", "12001"}) {
        SCOPED_TRACE(typed);
        messages_.clear();
        TypeWidth(typed);
        QTest::keyClick(w.Edit_GBreite, Qt::Key_Tab);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0], QStringLiteral("Please enter a number between 100 and 12000"));
        EXPECT_EQ(titles_[0], QStringLiteral("Package width"));
        EXPECT_EQ(QApplication::focusWidget(), w.Edit_GBreite);
        EXPECT_EQ(w.Daten->Width, 500);
        EXPECT_EQ(w.Tabelle_w_dp->Cell(1, 0), velocity);
    }
    messages_.clear();
    for (int width : {100, 12000, 850}) {
        Enter(w.Edit_GBreite, QString::number(width));
        EXPECT_EQ(w.Daten->Width, width);
    }
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(w.Label_Bauform->text(), QStringLiteral("Type: Tavro 10 / 500 / 850 - 5.5"));
}

TEST_F(TavroDevice, NoDeviceChangeWhileTheWidthHoldsARefusedText) {
    TFormTavro& w = *window_;
    const QStringList before = Labels();
    ASSERT_EQ(before[0], QStringLiteral("Type: Tavro 10 / 500 / 500 - 5.5"));
    TypeWidth("abc");

    // A click on the edge list is answered by the width field; the list
    // does not open.
    QTest::mouseClick(w.Combo_GKante, Qt::LeftButton);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(titles_[0], QStringLiteral("Package width"));
    EXPECT_FALSE(w.Combo_GKante->view()->isVisible());
    w.Combo_GKante->hidePopup();
    EXPECT_EQ(QApplication::focusWidget(), w.Edit_GBreite);

    // An edge chosen some other way is refused and the selection returns.
    w.Combo_GKante->setCurrentIndex(w.Combo_GKante->findData(600));
    w.Combo_GKanteChange();
    EXPECT_EQ(messages_.size(), 2u);
    EXPECT_EQ(w.Combo_GKante->currentData().toInt(), 500);
    EXPECT_EQ(w.Daten->Edge, 500);
    EXPECT_EQ(Labels(), before);

    // So is the options dialog, which changes the device afterwards.
    w.MenuItem(QStringLiteral("Menu_Optionen_Einstellungen"))->trigger();
    EXPECT_EQ(messages_.size(), 3u);
    EXPECT_EQ(options_, 0);
    EXPECT_EQ(Labels(), before);

    // Corrected, the width is taken, and the edge change runs.
    TypeWidth("600");
    w.Combo_GKante->setCurrentIndex(w.Combo_GKante->findData(600));
    w.Combo_GKanteChange();
    EXPECT_EQ(messages_.size(), 3u);
    EXPECT_EQ(w.Daten->Width, 600);
    EXPECT_EQ(w.Daten->Edge, 600);
    EXPECT_TRUE(w.Label_Bauform->text().startsWith(QStringLiteral("Type: Tavro 10 / 600 / 600 -")))
        << w.Label_Bauform->text().toStdString();
    EXPECT_NE(w.L_Gewicht->text(), before[4]);
}

} // namespace
} // namespace tavro
