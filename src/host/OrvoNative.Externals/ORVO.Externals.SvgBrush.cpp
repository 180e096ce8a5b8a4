#include "ORVO.Externals.SvgBrush.h"

#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <optional>

namespace ext {

namespace {

// Skia's SVG module resolves absolute units at 90 dots per inch.
constexpr double SvgDpi = 90.0;

// A length of the root element in pixels; nullopt for a percentage, a missing or a bad
// value, which give the document no intrinsic size.
std::optional<double> ResolveLength(const QStringView AText)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)\s*(px|pt|pc|mm|cm|in|em|ex|%)?\s*$)"));
    const QRegularExpressionMatch match = pattern.match(AText);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(match.capturedView(1), &ok);
    if (!ok)
        return std::nullopt;
    const QStringView unit = match.capturedView(2);
    if (unit.isEmpty() || unit == u"px")
        return value;
    if (unit == u"%")
        return std::nullopt;
    if (unit == u"in")
        return value * SvgDpi;
    if (unit == u"cm")
        return value * SvgDpi / 2.54;
    if (unit == u"mm")
        return value * SvgDpi / 25.4;
    if (unit == u"pt")
        return value * SvgDpi / 72;
    if (unit == u"pc")
        return value * SvgDpi / 6;
    // Font-relative units against Skia's default font size.
    if (unit == u"em")
        return value * 16;
    return value * 8; // ex
}

QRectF ParseViewBox(const QStringView AText)
{
    static const QRegularExpression separators(QStringLiteral(R"([\s,]+)"));
    const QList<QStringView> parts = AText.trimmed().split(separators, Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return QRectF();
    double values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = QLocale::c().toDouble(parts[i], &ok);
        if (!ok)
            return QRectF();
    }
    if (values[2] <= 0 || values[3] <= 0)
        return QRectF();
    return QRectF(values[0], values[1], values[2], values[3]);
}

} // namespace

TSkSvgBrush::TSkSvgBrush() = default;

TSkSvgBrush::~TSkSvgBrush() = default;

void TSkSvgBrush::SetSource(const QString& ASource)
{
    FSource = ASource;
    FRenderer.reset();
    FOriginalSize = QSizeF(0, 0);
    FViewBox = QRectF();
    if (ASource.trimmed().isEmpty())
        return;

    const QByteArray data = ASource.toUtf8();
    auto renderer = std::make_unique<QSvgRenderer>(data);
    if (!renderer->isValid())
        return;
    renderer->setAspectRatioMode(Qt::KeepAspectRatio);

    // QtSvg rounds its default size to whole pixels and invents a view box when there is
    // none, so the root's own attributes are read here.
    QXmlStreamReader xml(data);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    if (!xml.isStartElement() || xml.name() != u"svg")
        return;
    const QXmlStreamAttributes attributes = xml.attributes();
    FViewBox = ParseViewBox(attributes.value(QLatin1String("viewBox")));
    // A missing width or height is 100%, which like any percentage gives no intrinsic size.
    const std::optional<double> width = ResolveLength(attributes.value(QLatin1String("width")));
    const std::optional<double> height = ResolveLength(attributes.value(QLatin1String("height")));
    if (width && height)
        FOriginalSize = QSizeF(std::max(0.0, *width), std::max(0.0, *height));
    if (FOriginalSize.width() == 0 && FOriginalSize.height() == 0 && !FViewBox.isEmpty())
        FOriginalSize = FViewBox.size();
    FRenderer = std::move(renderer);
}

QRectF TSkSvgBrush::FitRect(const QRectF& ADest) const
{
    const QSizeF size = FOriginalSize;
    if (size.width() <= 0 || size.height() <= 0 || ADest.isEmpty())
        return ADest;
    const double scale = std::min(ADest.width() / size.width(), ADest.height() / size.height());
    const QSizeF fitted = size * scale;
    return QRectF(ADest.left() + (ADest.width() - fitted.width()) / 2,
                  ADest.top() + (ADest.height() - fitted.height()) / 2, fitted.width(), fitted.height());
}

void TSkSvgBrush::Render(QPainter& APainter, const QRectF& ADest, double AOpacity) const
{
    if (!FRenderer || ADest.isEmpty() || AOpacity <= 0)
        return;
    APainter.save();
    APainter.setOpacity(APainter.opacity() * std::min(AOpacity, 1.0));
    APainter.setRenderHint(QPainter::Antialiasing, true);
    FRenderer->render(&APainter, FitRect(ADest));
    APainter.restore();
}

void TSkSvgBrush::Render(QImage& AImage, const QRectF& ADest, double AOpacity) const
{
    if (AImage.isNull())
        return;
    QPainter painter(&AImage);
    Render(painter, ADest, AOpacity);
}

} // namespace ext
