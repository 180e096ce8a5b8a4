#pragma once

#include "vectorimage/ORVO.VectorImage.Reader.SVG.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

#include "TestData.h"

namespace orvo {
inline void PrintTo(TqoResultParsing AResult, std::ostream* AStream)
{
    static const char* const Names[] = {"Success", "SuccessWithWarnings", "Failed"};
    *AStream << Names[int(AResult)];
}
} // namespace orvo

namespace readertest {

struct TReadResult
{
    core::TqoVectorDocument Document;
    orvo::TqoResultParsing Result = orvo::TqoResultParsing::Failed;
    QStringList Logs;
};

inline QString Svg(const QString& ABody, const QString& ARootAttributes = QStringLiteral("viewBox=\"0 0 24 24\""))
{
    return QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" %1>%2</svg>")
        .arg(ARootAttributes, ABody);
}

// Reads a body inside a 24 x 24 root; exceptions pass to the test.
inline TReadResult Read(const QString& ABody, const QString& ARootAttributes = QStringLiteral("viewBox=\"0 0 24 24\""))
{
    TReadResult result;
    orvo::TqoVectorReaderSVG reader(result.Document);
    reader.LoadFromText(Svg(ABody, ARootAttributes));
    result.Result = reader.Result();
    result.Logs = reader.Logs();
    return result;
}

// A conversion table row: the text, whether it is accepted and the value it gives then.
template <typename T> struct TConversion
{
    const char* Name;
    const char* Text;
    bool Accepted;
    T Value;
};

// Each row through AConvert, starting from AUnchanged: a rejected text must leave it as it was.
template <typename T, typename F>
void ExpectConversions(F AConvert, std::initializer_list<TConversion<T>> ARows, const T& AUnchanged)
{
    for (const TConversion<T>& row : ARows) {
        SCOPED_TRACE(row.Name);
        T value = AUnchanged;
        EXPECT_EQ(AConvert(QString::fromUtf8(row.Text), value), row.Accepted);
        EXPECT_EQ(value, row.Accepted ? row.Value : AUnchanged);
    }
}

// A body and what it records; it reads with Success and no log.
struct TDumpCase
{
    const char* Name;
    const char* Body;
    QStringList Dump;
};

using ReaderDump = testing::TestWithParam<TDumpCase>;

inline QString Number(float AValue) { return QString::number(double(AValue), 'g', 6); }

inline QString Describe(const core::TqoVectorBrush& ABrush)
{
    QStringList parts;
    if (ABrush.FillColor.HasValue())
        parts << QStringLiteral("fill=") + ABrush.FillColor.Value();
    if (ABrush.FillOpacity.HasValue())
        parts << QStringLiteral("fill-opacity=") + Number(ABrush.FillOpacity.Value());
    if (ABrush.FillRule.HasValue())
        parts << (ABrush.FillRule.Value() == core::TqoFillRule::EvenOdd ? QStringLiteral("rule=evenodd")
                                                                        : QStringLiteral("rule=nonzero"));
    if (ABrush.StrokeColor.HasValue())
        parts << QStringLiteral("stroke=") + ABrush.StrokeColor.Value();
    if (ABrush.StrokeWidth.HasValue())
        parts << QStringLiteral("width=") + Number(ABrush.StrokeWidth.Value());
    if (ABrush.StrokeOpacity.HasValue())
        parts << QStringLiteral("stroke-opacity=") + Number(ABrush.StrokeOpacity.Value());
    if (ABrush.StrokeDashArray.HasValue()) {
        QStringList dashes;
        for (float dash : ABrush.StrokeDashArray.Value())
            dashes << Number(dash);
        parts << QStringLiteral("dash=") + dashes.join(QLatin1Char(','));
    }
    if (ABrush.StrokeDashOffset.HasValue())
        parts << QStringLiteral("dash-offset=") + Number(ABrush.StrokeDashOffset.Value());
    if (ABrush.StrokeLineCap.HasValue())
        parts << QStringLiteral("cap=") + core::StrokeLineCapName(ABrush.StrokeLineCap.Value());
    if (ABrush.StrokeLineJoin.HasValue())
        parts << QStringLiteral("join=") + core::StrokeLineJoinName(ABrush.StrokeLineJoin.Value());
    return parts.join(QLatin1Char(' '));
}

// The commands as one line each, to compare whole recordings at once.
inline QStringList Dump(const core::TqoVectorDocument& ADocument)
{
    QStringList lines;
    for (const core::TqoVectorCommand& command : ADocument.Commands()) {
        switch (command.Kind) {
        case core::TqoVectorCommandKind::DrawPath:
            lines << QStringLiteral("path ") + command.Path;
            break;
        case core::TqoVectorCommandKind::BeginGroup:
            lines << QStringLiteral("begin");
            break;
        case core::TqoVectorCommandKind::EndGroup:
            lines << QStringLiteral("end");
            break;
        case core::TqoVectorCommandKind::Transform:
            lines << QStringLiteral("transform ") + command.Transform.Letters;
            break;
        case core::TqoVectorCommandKind::Gradient:
            lines << QStringLiteral("gradient %1 %2")
                         .arg(command.IsFill ? QStringLiteral("fill") : QStringLiteral("stroke"),
                              command.Gradient ? command.Gradient->Id : QStringLiteral("<none>"));
            break;
        case core::TqoVectorCommandKind::Brush:
            lines << QStringLiteral("brush ") + Describe(command.Brush);
            break;
        }
    }
    return lines;
}

inline QStringList Paths(const core::TqoVectorDocument& ADocument)
{
    QStringList paths;
    for (const core::TqoVectorCommand& command : ADocument.Commands())
        if (command.Kind == core::TqoVectorCommandKind::DrawPath)
            paths << command.Path;
    return paths;
}

// The single command of a kind; the test fails when there is not exactly one.
inline const core::TqoVectorCommand* Only(const core::TqoVectorDocument& ADocument, core::TqoVectorCommandKind AKind)
{
    const core::TqoVectorCommand* found = nullptr;
    int count = 0;
    for (const core::TqoVectorCommand& command : ADocument.Commands())
        if (command.Kind == AKind) {
            found = &command;
            ++count;
        }
    EXPECT_EQ(count, 1) << "commands of kind " << int(AKind);
    return count == 1 ? found : nullptr;
}

} // namespace readertest
