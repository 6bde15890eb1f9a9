#include "output/page_view.h"

#include "physics/numeric/errors.h"
#include "shell/qt/qt_pictures.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/pictures.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavro {

void TPaintBox::paintEvent(QPaintEvent*) {
    if (OnPaint) OnPaint();
}

QToolButton* MakeToolButton(QWidget* parent, const char* name, std::string_view glyph,
                            const QString& fallback) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedSize(30, 30);
    b->setIconSize(QSize(16, 16));
    b->setFocusPolicy(Qt::NoFocus);
    try {
        b->setIcon(ScreenIcon(glyph));
    } catch (const ResourceError&) {
        b->setText(fallback);
    }
    return b;
}

void SetToolGlyph(QToolButton* button, const Picture& picture) {
    button->setIcon(QIcon(QPixmap::fromImage(ToQImage(picture))));
}

void SetToolGlyph(QToolButton* button, int number) {
    button->setIcon(ScreenIcon(number));
}

QFrame* MakeToolStrip(QWidget* form, QHBoxLayout*& row) {
    auto* strip = new QFrame(form);
    strip->setObjectName(QStringLiteral("Panel1"));
    strip->setFrameShape(QFrame::StyledPanel);
    row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(3);
    return strip;
}

TScrollBox* MakePaintView(QWidget* form, TPaintBox*& paintBox, std::function<void()> onPaint) {
    auto* view = new TScrollBox(form);
    view->setObjectName(QStringLiteral("ScrollBox1"));
    view->setWidgetResizable(false);
    view->setBackgroundRole(QPalette::Dark); // the workspace colour
    view->horizontalScrollBar()->setTracking(true);
    view->verticalScrollBar()->setTracking(true);
    paintBox = new TPaintBox;
    paintBox->setObjectName(QStringLiteral("PaintBox1"));
    paintBox->OnPaint = std::move(onPaint);
    view->setWidget(paintBox);
    return view;
}

void StackStripOverView(QWidget* form, QFrame* strip, TScrollBox* view) {
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip);
    layout->addWidget(view, 1);
}

} // namespace tavro
