#include "ui/printer.h"

#include "ui/application.h"
#include "ui/style.h"
#include "ui/text.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace ui {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPoint = 20.0;
// Lines are drawn one screen pixel wide (15 twips), so that they show on paper as on screen.
constexpr double kLineWidthTwips = 15.0;

} // namespace

struct Printer::Impl {
    QPrinter printer{QPrinter::HighResolution};
    QPainter painter;
    bool ok = false;
    bool started = false;
    bool pdf = false;
    QString pdfFile;

    std::string fontName = "Arial";
    double fontSize = 10.0;
    bool bold = false;
    unsigned int colour = 0;
    double x = 0, y = 0;

    double dpi() const { return printer.resolution() > 0 ? printer.resolution() : 1200.0; }
    double toDevice(double twips) const { return twips * dpi() / kTwipsPerInch; }
    double toTwips(double device) const { return device * kTwipsPerInch / dpi(); }

    QFont font() const {
        QFont f(qs(fontName));
        f.setPointSizeF(fontSize);
        f.setBold(bold);
        return f;
    }
    QFontMetricsF metrics() const { return QFontMetricsF(font(), &printer); }
    double lineHeight() const { return toTwips(metrics().lineSpacing()); }

    // The document begins with the first thing printed on it.
    bool begin() {
        if (!ok) return false;
        if (started) return true;
        if (!painter.begin(&printer)) {
            ok = false;
            return false;
        }
        started = true;
        return true;
    }

    void usePdf(const QString& path) {
        pdf = true;
        pdfFile = QFileInfo(path).absoluteFilePath();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QFileInfo file(pdfFile);
        const QFileInfo folder(file.absolutePath());
        ok = folder.isDir() && folder.isWritable() && !file.isDir() &&
             (!file.exists() || file.isWritable());
    }
};

Printer::Printer() : impl_(std::make_unique<Impl>()) {
    const std::string& variable = applicationNames().pdfVariable;
    const QString wanted = variable.empty() ? QString() : qEnvironmentVariable(variable.c_str());
    if (!wanted.isEmpty()) {
        impl_->usePdf(wanted);
        return;
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        impl_->printer.setPrinterName(info.printerName());
        impl_->ok = impl_->printer.isValid();
        if (impl_->ok) return;
    }
    // No printer at all: the document still goes somewhere the user can find it.
    impl_->usePdf(QDir::current().filePath(QStringLiteral("impression.pdf")));
}

Printer::~Printer() {
    if (impl_->started) impl_->painter.end();
}

bool Printer::setFontName(const std::string& name) {
    if (!fontAvailable(name)) return false;
    impl_->fontName = name;
    return true;
}

void Printer::setFontSize(double points) {
    if (points > 0) impl_->fontSize = points;
}

void Printer::setFontBold(bool bold) {
    impl_->bold = bold;
}
void Printer::setForeColor(unsigned int bgr) {
    impl_->colour = bgr & 0xFFFFFFu;
}
std::string Printer::fontName() const {
    return impl_->fontName;
}
double Printer::fontSize() const {
    return impl_->fontSize;
}
bool Printer::fontBold() const {
    return impl_->bold;
}

double Printer::currentX() const {
    return impl_->x;
}
double Printer::currentY() const {
    return impl_->y;
}
void Printer::setCurrentX(double twips) {
    if (impl_->ok) impl_->x = twips;
}
void Printer::setCurrentY(double twips) {
    if (impl_->ok) impl_->y = twips;
}

void Printer::print(const std::string& text, bool newLine) {
    Impl& d = *impl_;
    if (!d.begin()) return;
    const QFont f = d.font();
    d.painter.setFont(f);
    d.painter.setPen(qcolour(d.colour));
    const QFontMetricsF fm(f, &d.printer);
    const double lineHeight = d.toTwips(fm.lineSpacing());

    const QStringList lines = textLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // The current position is the top of the line; the text sits on its ascent.
        const QPointF at(d.toDevice(d.x), d.toDevice(d.y) + fm.ascent());
        if (!lines[i].isEmpty()) d.painter.drawText(at, lines[i]);
        d.x += d.toTwips(fm.horizontalAdvance(lines[i]));
        if (i + 1 < lines.size() || newLine) {
            d.x = 0;
            d.y += lineHeight;
        }
    }
}

void Printer::tab(int column) {
    Impl& d = *impl_;
    if (!d.ok) return;
    if (column < 1) column = 1;
    const double to = (column - 1) * d.toTwips(d.metrics().averageCharWidth());
    // A column already passed is reached on the next line.
    if (d.x > to + 0.5) {
        d.x = 0;
        d.y += d.lineHeight();
    }
    d.x = to;
}

double Printer::textWidth(const std::string& text) const {
    const QFontMetricsF fm = impl_->metrics();
    double widest = 0;
    for (const QString& line : textLines(text))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return impl_->toTwips(widest);
}

double Printer::textHeight(const std::string& text) const {
    return impl_->lineHeight() * double(textLines(text).size());
}

void Printer::line(double x1, double y1, double x2, double y2, unsigned int bgr) {
    Impl& d = *impl_;
    if (!d.begin()) return;
    QPen pen(qcolour(bgr));
    pen.setWidthF(d.toDevice(kLineWidthTwips));
    pen.setCapStyle(Qt::FlatCap);
    d.painter.setPen(pen);
    d.painter.drawLine(QPointF(d.toDevice(x1), d.toDevice(y1)),
                       QPointF(d.toDevice(x2), d.toDevice(y2)));
    d.x = x2;
    d.y = y2;
}

double Printer::scaleWidth() const {
    return impl_->printer.pageLayout().paintRect(QPageLayout::Point).width() * kTwipsPerPoint;
}

double Printer::scaleHeight() const {
    return impl_->printer.pageLayout().paintRect(QPageLayout::Point).height() * kTwipsPerPoint;
}

void Printer::newPage() {
    Impl& d = *impl_;
    if (!d.begin()) return;
    if (!d.printer.newPage()) d.ok = false;
    d.x = 0;
    d.y = 0;
}

bool Printer::endDoc() {
    Impl& d = *impl_;
    if (!d.ok || !d.started) return false;
    d.started = false;
    d.x = 0;
    d.y = 0;
    bool done = d.painter.end();
    if (d.pdf) done = done && QFileInfo(d.pdfFile).size() > 0;
    return done;
}

bool Printer::ok() const {
    return impl_->ok;
}

std::string Printer::pdfPath() const {
    return impl_->pdf ? fromQ(impl_->pdfFile) : std::string();
}

} // namespace ui
