#include "ui/system_scale.h"

#include "ui/screen.h"

#include <QApplication>
#include <QFontInfo>
#include <QIcon>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <cmath>

namespace ui {
namespace {

// Fusion, with every size it gives multiplied by the screen's growth. Fusion draws its
// indicators, arrows and frames to the rectangles it is given, so they follow in proportion.
class ScaledStyle : public QProxyStyle {
public:
    explicit ScaledStyle(double factor)
        : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), factor_(factor) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        return scaled(QProxyStyle::pixelMetric(metric, option, widget));
    }

    int layoutSpacing(QSizePolicy::ControlType a, QSizePolicy::ControlType b,
                      Qt::Orientation orientation, const QStyleOption* option,
                      const QWidget* widget) const override {
        return scaled(QProxyStyle::layoutSpacing(a, b, orientation, option, widget));
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        // A separator in the menu bar sends the items after it to the bar's right end, where
        // captions that start with blanks were meant to stand.
        if (hint == SH_DrawMenuBarSeparator) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        const QIcon base = QProxyStyle::standardIcon(icon, option, widget);
        const bool boxIcon = icon == SP_MessageBoxInformation || icon == SP_MessageBoxWarning ||
                             icon == SP_MessageBoxCritical || icon == SP_MessageBoxQuestion;
        if (!boxIcon || base.isNull() || factor_ == 1.0) return base;
        // The style's own pictures stop at their ordinary size; a message box's icon grows too.
        const QPixmap ordinary =
            base.pixmap(QProxyStyle::pixelMetric(PM_MessageBoxIconSize, option, widget));
        const int side = scaled(ordinary.width());
        return QIcon(ordinary.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_FrameFocusRect && factor_ > 1.4) {
            // Fusion's focus frame is a hairline; it keeps its weight relative to the screen.
            if (!(option->state & State_KeyboardFocusChange)) return;
            painter->save();
            QPen pen(option->palette.highlight().color());
            pen.setWidthF(std::round(factor_));
            painter->setPen(pen);
            painter->setBrush(Qt::NoBrush);
            const qreal half = pen.widthF() / 2;
            painter->drawRect(QRectF(option->rect).adjusted(half, half, -half, -half));
            painter->restore();
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    double factor() const { return factor_; }

private:
    int scaled(int value) const {
        if (value <= 0 || factor_ == 1.0) return value;
        return std::max(1, int(std::lround(value * factor_)));
    }
    double factor_;
};

double current = 0; // 0: not applied yet
int basePixels = 0; // the system font's size on a 640-pixel screen

class Stage : public QWidget {
public:
    Stage(QWidget* screen, std::function<QColor()> colour)
        : screen_(screen), colour_(std::move(colour)) {
        screen->setParent(this);
        screen->show();
    }

protected:
    void resizeEvent(QResizeEvent*) override {
        if (screen_) screen_->setGeometry(screenArea(size()));
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), colour_());
    }

private:
    QPointer<QWidget> screen_;
    std::function<QColor()> colour_;
};

} // namespace

double screenGrowth() {
    const ScreenMetrics m = screenMetrics();
    return std::clamp(m.widthTwips / 9600.0, 1.0, 3.2);
}

void followScreenSize() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    const double factor = screenGrowth();
    if (factor == current) return;
    QFont font = QApplication::font();
    if (basePixels == 0) basePixels = QFontInfo(font).pixelSize();
    current = factor;
    font.setPixelSize(std::max(1, int(std::lround(basePixels * factor))));
    // The style first: setting the font then lays every widget out once, with both.
    QApplication::setStyle(new ScaledStyle(factor));
    QApplication::setFont(font);
}

QRect screenArea(QSize outer) {
    const ScreenMetrics m = screenMetrics();
    const int width = std::min(outer.width(), int(std::lround(m.widthTwips / 15.0)));
    const int height = std::min(outer.height(), int(std::lround(m.heightTwips / 15.0)));
    return QRect((outer.width() - width) / 2, (outer.height() - height) / 2, width, height);
}

QWidget* makeStage(QWidget* screen, std::function<QColor()> colour) {
    return new Stage(screen, std::move(colour));
}

} // namespace ui
