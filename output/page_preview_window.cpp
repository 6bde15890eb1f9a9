#include "output/page_preview_window.h"

#include "output/page_owner.h"
#include "output/painter_canvas.h"
#include "output/recording.h"
#include "physics/numeric/rounding.h"
#include "shell/qt/fonts.h"
#include "shell/qt/qt_text.h"
#include "shell/texts/pictures.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QToolButton>

#include <string_view>

namespace tavro {

namespace {

// The zoomed page lies this far from the left and top of the paint box;
// the scroll range adds twice this to the page.
constexpr int kMargin = 20;

// Text 389 ("Page %d of %d") with both numbers. Only the first two "%d"
// are replaced; any other character of the text stays as it is, so a
// translation can never make the formatting read past its arguments.
QString PageNumberLabel(const QString& pattern, int page, int count) {
    QString out;
    const int numbers[2] = {page, count};
    int used = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (used < 2 && pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u'd') {
            out += QString::number(numbers[used++]);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace

TFormSeite::TFormSeite(QWidget* parent) : TVkForm(parent) {
    setObjectName(QStringLiteral("FormSeite"));

    QHBoxLayout* strip = nullptr;
    Panel1 = MakeToolStrip(this, strip);
    Button_Close = MakeToolButton(Panel1, "Button_Close", "BUTTON_CLOSE", QStringLiteral("X"));
    Button_Print = MakeToolButton(Panel1, "Button_Print", "BUTTON_PRINT", QStringLiteral("P"));
    Button_PDF = MakeToolButton(Panel1, "Button_PDF", "", QStringLiteral("PDF"));
    Button_PDF->setIconSize(QSize(24, 24));
    Button_Edit = MakeToolButton(Panel1, "Button_Edit", "BUTTON_NOTES", QStringLiteral("N"));
    Combo_Zoom = new QComboBox(Panel1);
    Combo_Zoom->setObjectName(QStringLiteral("Combo_Zoom"));
    Combo_Zoom->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    L_Seitenzahl = new QLabel(Panel1);
    L_Seitenzahl->setObjectName(QStringLiteral("L_Seitenzahl"));
    L_Seitenzahl->setMinimumWidth(120);
    L_Seitenzahl->setAlignment(Qt::AlignCenter);
    Button_Previous =
        MakeToolButton(Panel1, "Button_Previous", "BUTTON_PREVIOUS", QStringLiteral("<"));
    Button_Next = MakeToolButton(Panel1, "Button_Next", "BUTTON_NEXT", QStringLiteral(">"));
    Button_First = MakeToolButton(Panel1, "Button_First", "BUTTON_FIRST", QStringLiteral("|<"));
    Button_Last = MakeToolButton(Panel1, "Button_Last", "BUTTON_LAST", QStringLiteral(">|"));
    Button_First->hide();
    Button_Last->hide();
    for (QWidget* w :
         std::initializer_list<QWidget*>{Button_Close, Button_Print, Button_PDF, Button_Edit}) {
        strip->addWidget(w);
    }
    strip->addSpacing(8);
    strip->addWidget(Combo_Zoom);
    strip->addSpacing(8);
    strip->addWidget(L_Seitenzahl);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Button_Previous, Button_Next, Button_First, Button_Last}) {
        strip->addWidget(w);
    }
    strip->addStretch(1);

    ScrollBox1 = MakePaintView(this, PaintBox1, [this] { PaintBox1Paint(); });
    StackStripOverView(this, Panel1, ScrollBox1);

    ESC1 = new QAction(this);
    ESC1->setObjectName(QStringLiteral("ESC1"));
    ESC1->setShortcut(QKeySequence(Qt::Key_Escape));
    ESC1->setShortcutContext(Qt::WindowShortcut);
    addAction(ESC1);

    connect(Button_Close, &QToolButton::clicked, this, [this] { Button_CloseClick(); });
    connect(Button_Print, &QToolButton::clicked, this, [this] { Button_PrintClick(); });
    connect(Button_PDF, &QToolButton::clicked, this, [this] { Button_PDFClick(); });
    connect(Button_Edit, &QToolButton::clicked, this, [this] { Button_EditClick(); });
    connect(Button_Previous, &QToolButton::clicked, this, [this] { Button_PreviousClick(); });
    connect(Button_Next, &QToolButton::clicked, this, [this] { Button_NextClick(); });
    connect(Button_First, &QToolButton::clicked, this, [this] { Button_FirstClick(); });
    connect(Button_Last, &QToolButton::clicked, this, [this] { Button_LastClick(); });
    connect(Combo_Zoom, &QComboBox::activated, this, [this] { Combo_ZoomChange(); });
    connect(ESC1, &QAction::triggered, this, [this] { ESC1Click(); });

    // Key preview: the window sees Page Up, Page Down and Esc before the
    // control that has the focus.
    for (QObject* w : std::initializer_list<QObject*>{Combo_Zoom, ScrollBox1,
                                                      ScrollBox1->viewport(), PaintBox1, Panel1}) {
        w->installEventFilter(this);
    }

    FormCreate();
}

TFormSeite::~TFormSeite() = default;

void TFormSeite::FormCreate() {
    for (int i = 0; i < kZoomToWidth; ++i)
        Combo_Zoom->addItem(QStringLiteral("%1 %").arg(FixedZoom(i)));
    Combo_Zoom->addItem(QString());
    Combo_Zoom->addItem(QString());
    Combo_Zoom->setCurrentIndex(3);
    try {
        SetToolGlyph(Button_PDF, 9990);
        Button_PDF->setText(QString());
    } catch (const ResourceError&) {
    }
    Button_PDF->setToolTip(QStringLiteral("PDF"));
    resize(1024, 768);
    SetCaptions();
    CentreOnScreen();
}

void TFormSeite::SetCaptions() {
    setFont(UiFont().font);
    Button_Edit->setToolTip(TextOf(135));
    Button_Close->setToolTip(TextOf(151));
    Button_Print->setToolTip(TextOf(146));
    // Replacing an entry's text keeps the selected index.
    Combo_Zoom->setItemText(kZoomToWidth, TextOf(176));
    Combo_Zoom->setItemText(kZoomToFit, TextOf(177));
}

int TFormSeite::Open(QWidget* ownerWindow, PageOwner& owner, const PageList& pages,
                     std::function<void()> editAction) {
    Owner = &owner;
    if (ownerWindow) {
        setWindowIcon(ownerWindow->windowIcon());
        setWindowTitle(ownerWindow->windowTitle());
    } else {
        setWindowTitle(owner.PageCaption());
    }
    Pages = pages;
    PageCount = static_cast<int>(Pages.size());
    CurrentPage = PageCount > 0 ? 1 : 0;
    FirstPage = 1;
    LastPage = PageCount;
    EditAction = std::move(editAction);
    LayOut();
    setWindowState(windowState() | Qt::WindowMaximized);
    return ShowModal();
}

QPrinter& TFormSeite::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageSize(QPageSize(QPageSize::A4));
        printer_->setPageOrientation(QPageLayout::Portrait);
    }
    return *printer_;
}

void TFormSeite::UpdatePaintBoxSize() {
    QPrinter& printer = Printer();
    printer.setPageOrientation(QPageLayout::Portrait);
    QSize size = kNoPrinterPage;
    if (PrinterInstalled())
        size = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    // A printer that reports no printable area would leave nothing to fit.
    if (size.width() <= 0 || size.height() <= 0) size = kNoPrinterPage;
    PaintBoxSize = size;
    const SheetFit fit = FitSheet(size.width(), size.height());
    FitS = fit.S;
    FitP = fit.P;
}

void TFormSeite::LayOut() {
    UpdatePaintBoxSize();
    const QSize content = PreviewContentSize(Zoom, PaintBoxSize);
    PaintBox1->setFixedSize(content);
    ScrollBox1->horizontalScrollBar()->setSingleStep(std::max(1, content.width() / 30));
    ScrollBox1->verticalScrollBar()->setSingleStep(std::max(1, content.height() / 30));
    PaintBox1->update();
}

QSize TFormSeite::ZoomClientSize() const {
    QSize client = ScrollBox1->maximumViewportSize();
    const int bar = ScrollBox1->verticalScrollBar()->sizeHint().width();
    const int widthZoom = ZoomToWidth(client.width(), PaintBoxSize.width());
    if (PreviewContentSize(widthZoom, PaintBoxSize).height() > client.height()) {
        client.setWidth(client.width() - bar);
    }
    return client;
}

void TFormSeite::Combo_ZoomChange() {
    const int entry = Combo_Zoom->currentIndex();
    if (entry == kZoomToWidth || entry == kZoomToFit) {
        UpdatePaintBoxSize();
        const QSize client = ZoomClientSize();
        Zoom = entry == kZoomToWidth ? ZoomToWidth(client.width(), PaintBoxSize.width())
                                     : ZoomToFit(client, PaintBoxSize);
    } else if (entry >= 0) {
        Zoom = FixedZoom(entry);
    }
    LayOut();
}

void TFormSeite::PaintBox1Paint() {
    QPainter painter(PaintBox1);
    MapPage(painter, FitS, PreviewExtent(Zoom, FitP), QPoint(kMargin, kMargin));
    TPainterCanvas canvas(painter);
    canvas.SetBrush({BrushStyle::Solid, Qt::white});
    canvas.SetPen({PenStyle::Solid, 0, Qt::black});
    const double scale = double(FitS) / FitP;
    canvas.Rectangle(QRect(0, 0, RoundHalfEven(scale * PaintBoxSize.width()),
                           RoundHalfEven(scale * PaintBoxSize.height())));
    if (!Owner || CurrentPage < 1 || CurrentPage > PageCount) return;
    try {
        Pages[CurrentPage - 1](*Owner, canvas, false);
    } catch (const std::exception&) {
        // A page that fails shows what it drew so far; a message box from
        // inside painting would come back with every repaint.
    }
}

void TFormSeite::FormActivate() {
    if (FirstActivation) {
        FirstActivation = false;
        Combo_Zoom->setCurrentIndex(kZoomToWidth);
    }
    Combo_ZoomChange();
    Button_Edit->setEnabled(static_cast<bool>(EditAction));
    L_Seitenzahl->setText(QStringLiteral("-----------------"));
    RefreshPageControls();
}

void TFormSeite::RefreshPageControls() {
    Button_Next->setEnabled(CurrentPage < PageCount);
    Button_Last->setEnabled(CurrentPage < PageCount);
    Button_Previous->setEnabled(CurrentPage > 1);
    Button_First->setEnabled(CurrentPage > 1);
    L_Seitenzahl->setText(PageNumberLabel(TextOf(389), CurrentPage, PageCount));
}

void TFormSeite::FormResize() {
    const int entry = Combo_Zoom->currentIndex();
    if (entry == kZoomToWidth || entry == kZoomToFit) Combo_ZoomChange();
}

bool TFormSeite::FormKeyDown(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    switch (event->key()) {
    case Qt::Key_PageUp:
        Button_PreviousClick();
        return true;
    case Qt::Key_PageDown:
        Button_NextClick();
        return true;
    case Qt::Key_Escape:
        ESC1->trigger();
        return true;
    default:
        return false;
    }
}

void TFormSeite::ShowPage(int page) {
    if (page != CurrentPage) {
        CurrentPage = page;
        LayOut();
    }
    RefreshPageControls();
}

void TFormSeite::Button_PreviousClick() {
    ShowPage(CurrentPage > 1 ? CurrentPage - 1 : CurrentPage);
}

void TFormSeite::Button_NextClick() {
    ShowPage(CurrentPage < PageCount ? CurrentPage + 1 : CurrentPage);
}

void TFormSeite::Button_FirstClick() {
    ShowPage(PageCount > 0 ? 1 : 0);
}

void TFormSeite::Button_LastClick() {
    ShowPage(PageCount);
}

void TFormSeite::Button_CloseClick() {
    SetModalResult(mrOk);
    if (!IsModal()) hide();
}

void TFormSeite::ESC1Click() {
    close();
}

void TFormSeite::Button_EditClick() {
    if (!EditAction) return;
    EditAction();
    Combo_ZoomChange();
}

bool TFormSeite::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return TVkForm::event(event);
}

bool TFormSeite::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return TVkForm::eventFilter(watched, event);
}

void TFormSeite::resizeEvent(QResizeEvent* event) {
    TVkForm::resizeEvent(event);
    FormResize();
}

void TFormSeite::showEvent(QShowEvent* event) {
    TVkForm::showEvent(event);
    // Activation can come late or not at all (an offscreen platform); the
    // window is laid out as activated as soon as it shows.
    if (!event->spontaneous()) FormActivate();
}

} // namespace tavro
