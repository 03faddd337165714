// Draw requests with coefficients from the far ends of the Double range,
// typed into the fields and drawn with Enter: every request either draws or
// shows the invalid-operation error box exactly when a pixel ceiling leaves
// the 64-bit range, and the info box only ever shows well-formed texts.

#include <QRegularExpression>
#include <cmath>
#include <ostream>
#include <vector>

#include "../core/TraceReference.h"
#include "UiTestSupport.h"

using namespace uitest;

namespace {

struct Coefficient {
    const char* text;      // as typed
    double value;          // as read
    const char* yAxisText;  // the number the info box writes for it as y-axis intercept
};

// Zero and both signs of each magnitude. The subnormal 1e-320 is read as
// 2024 · 2^-1074; its 18 digits are 9.99988867182683…e-321.
const Coefficient kCoefficients[] = {
    {"0", 0.0, "0"},
    {"1e-320", 1e-320, "9.99988867182683E-321"},
    {"-1e-320", -1e-320, "-9.99988867182683E-321"},
    {"1e-300", 1e-300, "1E-300"},
    {"-1e-300", -1e-300, "-1E-300"},
    {"1e-10", 1e-10, "1E-10"},
    {"-1e-10", -1e-10, "-1E-10"},
    {"1", 1.0, "1"},
    {"-1", -1.0, "-1"},
    {"1e5", 1e5, "100000"},
    {"-1e5", -1e5, "-100000"},
    {"1e7", 1e7, "10000000"},
    {"-1e7", -1e7, "-10000000"},
    {"1e15", 1e15, "1E15"},
    {"-1e15", -1e15, "-1E15"},
    {"4.6e17", 4.6e17, "4.6E17"},
    {"-4.6e17", -4.6e17, "-4.6E17"},
    {"1e300", 1e300, "1E300"},
    {"-1e300", -1e300, "-1E300"},
    {"1.7e308", 1.7e308, "1.7E308"},
    {"-1.7e308", -1.7e308, "-1.7E308"},
};
constexpr int kCount = int(std::size(kCoefficients));

// A number as the info box writes it: "0", fixed notation with at most 15
// significant digits and an integer part of at most 15 digits or at most three
// zeros after the separator, scientific notation outside that, or one of the
// texts for NaN and the infinities. No trailing zeros after the separator.
bool isNumberText(const QString& text)
{
    static const QRegularExpression special("^(NAN|INF|-INF)$");
    static const QRegularExpression scientific("^-?([1-9])(?:\\.([0-9]*[1-9]))?E(-?[1-9][0-9]*)$");
    static const QRegularExpression small("^-?0\\.(0{0,3})([1-9](?:[0-9]*[1-9])?)$");
    static const QRegularExpression large("^-?([1-9][0-9]*)(?:\\.([0-9]*[1-9]))?$");
    if (text == "0" || special.match(text).hasMatch())
        return true;
    if (const auto match = scientific.match(text); match.hasMatch()) {
        const int exponent = match.captured(3).toInt();
        return 1 + match.capturedLength(2) <= 15 && (exponent >= 15 || exponent <= -5);
    }
    if (const auto match = small.match(text); match.hasMatch())
        return match.capturedLength(2) <= 15;
    if (const auto match = large.match(text); match.hasMatch()) {
        const QString whole = match.captured(1);
        const qsizetype significant = match.capturedLength(2) > 0
                                          ? whole.size() + match.capturedLength(2)
                                          : whole.lastIndexOf(QRegularExpression("[1-9]")) + 1;
        return whole.size() <= 15 && significant <= 15;
    }
    return false;
}

bool isXAxisText(const QString& text)
{
    return text.startsWith('(') && text.endsWith(",0)") && isNumberText(text.mid(1, text.size() - 4));
}

bool isYAxisText(const QString& text)
{
    return text.startsWith("(0,") && text.endsWith(')') && isNumberText(text.mid(3, text.size() - 4));
}

struct InfoBox {
    QString first, second, yAxis;
    bool operator==(const InfoBox&) const = default;
};

void PrintTo(const InfoBox& box, std::ostream* out)
{
    *out << '[' << box.first.toStdString() << "] [" << box.second.toStdString() << "] ["
         << box.yAxis.toStdString() << ']';
}

InfoBox infoBox()
{
    return {Form28->Label6->text(), Form28->Label7->text(), Form28->Label8->text()};
}

std::string describe(const Coefficient& a, const Coefficient& b, const Coefficient& c)
{
    return std::string("a=") + a.text + " b=" + b.text + " c=" + c.text;
}

}  // namespace

TEST(ExtremeInputFormat, RecognisesTheInfoBoxNumberForms)
{
    for (const char* good : {"0", "1", "-1", "0.5", "0.0001", "-0.000123456789012345", "123.5", "100",
                             "100000000000000", "999999999999999", "-1.33333333333333", "1.4142135623731",
                             "1E15", "1.5E-5", "-2E16", "9.99988867182683E-321", "1.18973149535723E4932",
                             "NAN", "INF", "-INF"})
        EXPECT_TRUE(isNumberText(good)) << good;
    for (const char* bad : {"", "-0", "00", "0.50", "1.", ".5", "1e15", "1E14", "1E-4", "0.00001",
                            "1000000000000000", "1.0E20", "1.23456789012345E20x", "1.234567890123456",
                            "0.0001234567890123456", "nan", "+1", "1,5", "E5", "1E+20", "1E020"})
        EXPECT_FALSE(isNumberText(bad)) << bad;
    EXPECT_TRUE(isXAxisText("(-2,0)"));
    EXPECT_TRUE(isYAxisText("(0,-4)"));
    EXPECT_FALSE(isXAxisText("(0,0"));
    EXPECT_FALSE(isYAxisText("(0,)"));
}

namespace {

const QString kInvalidOperation = "Invalid floating point operation.";

// One draw request through the fields and Enter, checked against the reference
// tracing of the same curve: the error box exactly when that tracing fails,
// the curve stored either way, the caption as designed, well-formed texts.
void checkRequest(const Coefficient& a, const Coefficient& b, const Coefficient& c,
                  const tracereference::TraceRecord& expected, const ErrorBoxes& boxes)
{
    // The first point is at x = 0, where the ordinate is c itself.
    const bool firstPointFails = std::fabs(20.0L * c.value) >= 0x1p63L;
    ASSERT_EQ(expected.yIntercepts.empty(), firstPointFails);
    const QString designedCaption = Form28->windowTitle();
    const InfoBox before = infoBox();
    const std::size_t boxesBefore = boxes.texts.size();
    const std::int32_t storedBefore = Unit28::fxnum;

    drawRequest(a.text, b.text, c.text);

    ASSERT_EQ(boxes.texts.size(), boxesBefore + (expected.failed ? 1 : 0));
    if (expected.failed) {
        ASSERT_EQ(boxes.texts.back(), kInvalidOperation);
    }
    ASSERT_EQ(Unit28::fxnum, storedBefore + 1);
    const TCoefRec& stored = Unit28::reco[std::size_t(storedBefore)];
    ASSERT_TRUE(stored.a == a.value && stored.b == b.value && stored.c == c.value);
    ASSERT_EQ(Form28->windowTitle(), designedCaption);

    const InfoBox after = infoBox();
    ASSERT_TRUE(after.first.isEmpty() || after.first == QString::fromUtf8("无") ||
                after.first == QString::fromUtf8("无数") || isXAxisText(after.first))
        << after.first.toStdString();
    ASSERT_TRUE(after.second.isEmpty() || isXAxisText(after.second)) << after.second.toStdString();
    if (expected.failed) {
        // The intersections are written only after both passes.
        ASSERT_TRUE(after.first.isEmpty() && after.second.isEmpty());
    } else {
        ASSERT_FALSE(after.first.isEmpty());
    }
    if (firstPointFails) {
        ASSERT_EQ(after.yAxis, before.yAxis);
    } else {
        ASSERT_EQ(after.yAxis, QString("(0,%1)").arg(c.yAxisText));
    }
}

// A repaint replays the stored curves: it redraws exactly what the requests
// drew, reports no failure a second time, restores the caption and leaves the
// texts of the last curve.
void checkReplay(const ErrorBoxes& boxes)
{
    const QString designedCaption = Form28->windowTitle();
    const QImage drawn = Form28->Canvas->image().copy();
    const InfoBox lastDrawn = infoBox();
    const std::size_t boxesBefore = boxes.texts.size();
    Form28->Canvas->invalidateAll();
    settle();
    ASSERT_EQ(boxes.texts.size(), boxesBefore);
    ASSERT_EQ(Form28->windowTitle(), designedCaption);
    ASSERT_EQ(infoBox(), lastDrawn);
    ASSERT_TRUE(Form28->Canvas->image() == drawn);
}

// The pen operations of the reference tracings, issued straight to the cleared
// canvas, give the pixels the draw requests gave.
void checkPixelsAgainst(const std::vector<tracereference::TraceRecord>& traced)
{
    const QImage drawn = Form28->Canvas->image().copy();
    Form28->Button2Click();
    settle();
    core::RetainedCanvas& canvas = Form28->Canvas->canvas();
    for (const tracereference::TraceRecord& record : traced) {
        for (const tracereference::PenOp& op : record.ops) {
            if (op.kind == tracereference::PenOp::Move)
                canvas.moveTo(op.x, op.y);
            else
                canvas.lineTo(op.x, op.y);
        }
    }
    ASSERT_TRUE(Form28->Canvas->image() == drawn);
    Form28->Canvas->invalidateAll();  // no curve stored: the axes alone
    settle();
}

}  // namespace

TEST_F(Window, ExtremeCoefficientsDrawOrShowTheInvalidOperationBox)
{
    const plot::PlotGeometry geometry;
    ErrorBoxes boxes;
    int requests = 0, failures = 0;

    for (const Coefficient& a : kCoefficients) {
        for (const Coefficient& b : kCoefficients) {
            std::vector<tracereference::TraceRecord> traced;
            for (const Coefficient& c : kCoefficients) {
                SCOPED_TRACE(describe(a, b, c));
                traced.push_back(
                    tracereference::referenceTrace(a.value, b.value, c.value, Unit28::normalStep, geometry));
                checkRequest(a, b, c, traced.back(), boxes);
                ASSERT_FALSE(HasFatalFailure());
                ++requests;
                failures += traced.back().failed;
            }
            SCOPED_TRACE(describe(a, b, {"all", 0, ""}));
            checkReplay(boxes);
            ASSERT_FALSE(HasFatalFailure());
            checkPixelsAgainst(traced);
            ASSERT_FALSE(HasFatalFailure());
        }
    }

    RecordProperty("requests", requests);
    RecordProperty("failures", failures);
    EXPECT_EQ(requests, kCount * kCount * kCount);
    // A separate sweep of the same abscissae in plain double arithmetic counts
    // as many: no ordinate of these curves comes within a relative 1e-9 of the
    // edge, where extended and double arithmetic could decide differently.
    EXPECT_EQ(failures, 5518);
}
