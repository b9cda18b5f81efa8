// ProblemFileTest.cpp: the problem file's reading rules and rejections, its writing, the sample and names.
#include <algorithm>
#include <set>
#include <tuple>

#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

#include "core/RunErrors.h"
#include "files/ProblemFile.h"
#include "files/Records.h"
#include "files/TextFile.h"

namespace {

ParsedProblem ParseValid(const QStringList& lines)
{
    const ProblemParse parse = ParseProblemLines(lines);
    if (const auto* error = std::get_if<ProblemError>(&parse)) {
        ADD_FAILURE() << "rejected at line " << error->Line << ": " << error->Message.toStdString();
        return {};
    }
    return std::get<ParsedProblem>(parse);
}

ProblemError ParseInvalid(const QStringList& lines)
{
    const ProblemParse parse = ParseProblemLines(lines);
    if (!std::holds_alternative<ProblemError>(parse)) {
        ADD_FAILURE() << "accepted";
        return {};
    }
    return std::get<ProblemError>(parse);
}

// The sample's point lines under another count line.
QStringList SampleWithCountLine(const QString& countLine)
{
    QStringList lines = BuiltInSampleLines();
    lines[0] = countLine;
    return lines;
}

const QString CountRangeMessage = QStringLiteral("点の数は 1 から 255 まででなければなりません");

}  // namespace

// --- The built-in sample -------------------------------------------------------

TEST(Sample, IsAValidSeventyPointSpiral)
{
    const QStringList lines = BuiltInSampleLines();
    ASSERT_EQ(lines.size(), 71);
    EXPECT_EQ(lines[0], "  70");
    EXPECT_EQ(lines[1], "   0   0");
    EXPECT_EQ(lines[2], "   0   1");
    EXPECT_EQ(lines[3], "   1   1");
    EXPECT_EQ(lines[70], "   1   0");

    const ParsedProblem sample = ParseValid(lines);
    ASSERT_EQ(sample.PointCount, 70);

    int corners = 0;
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 1; i <= 70; ++i) {
        const PathPoint& p = sample.Points[i];
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
        if (i > 1 && i < 70) {
            const PathPoint& a = sample.Points[i - 1];
            const PathPoint& b = sample.Points[i + 1];
            corners += (b.X - p.X) != (p.X - a.X) || (b.Y - p.Y) != (p.Y - a.Y);
        }
    }
    EXPECT_EQ(corners, 16);
    EXPECT_EQ(std::tie(minX, maxX, minY, maxY), std::make_tuple(-4, 4, -4, 3));
}

TEST(Sample, SavedGivesItsLinesWithCrLf)
{
    const ParsedProblem sample = ParseValid(BuiltInSampleLines());
    const QStringList saved = FormatProblemLines(sample.Points, sample.PointCount);
    EXPECT_EQ(saved, BuiltInSampleLines());

    const QByteArray bytes = JoinTextLines(saved);
    EXPECT_EQ(bytes.size(), 6 + 70 * 10);
    EXPECT_TRUE(bytes.startsWith("  70\r\n   0   0\r\n   0   1\r\n   1   1\r\n   2   1\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n  -1  -1\r\n   0  -1\r\n   1  -1\r\n   1   0\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 71);
    EXPECT_EQ(bytes.count('\n'), 71) << "every line end is CR LF";
}

// --- Writing -------------------------------------------------------------------

TEST(FormatProblem, FourColumnFieldsRightAligned)
{
    PathArray path{};
    path[1] = {0, 0};
    path[2] = {-1, 0};
    path[3] = {-1, -1};
    path[4] = {-99, 254};  // any value within four columns
    path[5] = {7, 7};      // beyond the count: not written
    EXPECT_EQ(FormatProblemLines(path, 4), (QStringList{"   4", "   0   0", "  -1   0", "  -1  -1", " -99 254"}));
}

TEST(FormatProblem, LongestPathRoundTrips)
{
    PathArray path{};
    for (int i = 1; i <= MaxPoints; ++i)
        path[i] = {i - 1, 0};
    const QStringList lines = FormatProblemLines(path, MaxPoints);
    ASSERT_EQ(lines.size(), 256);
    EXPECT_EQ(lines[0], " 255");
    EXPECT_EQ(lines[255], " 254   0");
    const ParsedProblem parsed = ParseValid(lines);
    EXPECT_EQ(parsed.PointCount, 255);
    EXPECT_EQ(parsed.Points[255].X, 254);
}

// --- Reading: odd but valid ---------------------------------------------------

TEST(ParseProblem, OnePointIsAProblem)
{
    const ParsedProblem one = ParseValid({"   1", "   0   0"});
    EXPECT_EQ(one.PointCount, 1);
    EXPECT_EQ(one.Points[1].X, 0);
    EXPECT_EQ(one.Points[1].Y, 0);
}

TEST(ParseProblem, CountLineReadsItsLeadingNumber)
{
    // Text after the number stops the reading; hexadecimal after its prefixes;
    // a sign followed by more text is dropped.
    for (const char* countLine : {"  70", "70", "\t 70", "+70", "  70 points", "70abc", "$46", "0x46", "0X46", "x46",
                                  "X46", "$046", "-70 x", "-70 ", "-$46;", "  0070"}) {
        const ParsedProblem parsed = ParseValid(SampleWithCountLine(countLine));
        EXPECT_EQ(parsed.PointCount, 70) << "count line '" << countLine << "'";
    }
    EXPECT_EQ(ParseValid(SampleWithCountLine("$a")).PointCount, 10);
    EXPECT_EQ(ParseValid(SampleWithCountLine("0x0F")).PointCount, 15);
}

TEST(ParseProblem, FewerPointsThanLinesReadsOnlyThose)
{
    const ParsedProblem parsed = ParseValid(SampleWithCountLine("   3"));
    EXPECT_EQ(parsed.PointCount, 3);
    EXPECT_EQ(parsed.Points[3].X, 1);
    EXPECT_EQ(parsed.Points[3].Y, 1);
    EXPECT_EQ(parsed.Points[4].X, 0) << "slots after the count stay untouched";
    EXPECT_EQ(parsed.Points[4].Y, 0);
}

TEST(ParseProblem, LinesAfterThePointsAreNeverRead)
{
    QStringList lines = BuiltInSampleLines();
    lines << "  23 102" << "not a point" << "" << "\x83";
    for (int i = 0; i < 21; ++i)
        lines << QString::asprintf("%4d%4d", i, 2 * i);
    EXPECT_EQ(ParseValid(lines).PointCount, 70);
}

TEST(ParseProblem, LineEndsAndAFinalLineEndDoNotMatter)
{
    const QByteArray crlf = JoinTextLines(BuiltInSampleLines());
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    const QByteArray bare = lf.chopped(1);
    ASSERT_FALSE(bare.endsWith('\n'));

    const QStringList expected = BuiltInSampleLines();
    for (const QByteArray& bytes : {crlf, lf, bare}) {
        const QStringList lines = SplitTextLines(bytes);
        EXPECT_EQ(lines, expected);
        EXPECT_EQ(ParseValid(lines).PointCount, 70);
    }
}

TEST(ParseProblem, PointFieldsAreSignedAndColumnsAfterEightIgnored)
{
    const ParsedProblem parsed =
        ParseValid({"   5", "   0   0", "  -1   0", "  -1  -1this is ignored", "  -2  -1", "  -2-2"});
    ASSERT_EQ(parsed.PointCount, 5);
    EXPECT_EQ(std::tie(parsed.Points[2].X, parsed.Points[2].Y), std::make_tuple(-1, 0));
    EXPECT_EQ(std::tie(parsed.Points[3].X, parsed.Points[3].Y), std::make_tuple(-1, -1));
    EXPECT_EQ(std::tie(parsed.Points[4].X, parsed.Points[4].Y), std::make_tuple(-2, -1));
    EXPECT_EQ(std::tie(parsed.Points[5].X, parsed.Points[5].Y), std::make_tuple(-2, -2))
        << "a line of six columns gives Y from columns 5-6";
}

// --- Reading: rejections -------------------------------------------------------

TEST(ParseProblem, CountOutsideOneTo255IsRejectedAsRead)
{
    // 256 and $100 would be 0 in eight bits, 257 would be 1: the range is
    // checked on the number as read.
    for (const char* countLine : {"256", " 257", "$100", "0x101", "0", "   0", "", "   ", "-3", "-1", "-70", " -$46", "abc", "$", "0x",
                                  "-", "99999999999999999999999999", "$FFFFFFFFFFFFFFFFFFFFFFFF"}) {
        const ProblemError error = ParseInvalid(SampleWithCountLine(countLine));
        EXPECT_EQ(error.Line, 1) << "count line '" << countLine << "'";
        EXPECT_EQ(error.Message, CountRangeMessage) << "count line '" << countLine << "'";
    }
    const ProblemError empty = ParseInvalid({});
    EXPECT_EQ(empty.Line, 1);
    EXPECT_EQ(empty.Message, CountRangeMessage);
}

TEST(ParseProblem, MissingPointLineIsNamed)
{
    const ProblemError error = ParseInvalid(SampleWithCountLine("  71"));
    EXPECT_EQ(error.Line, 72);
    EXPECT_TRUE(error.Message.contains("72 行目")) << error.Message.toStdString();
    EXPECT_TRUE(error.Message.contains("ありません")) << error.Message.toStdString();

    EXPECT_EQ(ParseInvalid({"   2", "   0   0"}).Line, 3);
    EXPECT_EQ(ParseInvalid({"   1"}).Line, 2);
}

TEST(ParseProblem, NonIntegerFieldIsQuotedAsItStands)
{
    struct Case {
        const char* line;
        const char* field;
    };
    for (const Case& c : {Case{"  0    0", "  0 "}, Case{" 0 0   0", " 0 0"}, Case{"   0  ab", "  ab"},
                          Case{"   0", ""}, Case{"", ""}, Case{"    ", "    "},
                          Case{"  $0   0", "  $0"}, Case{"   0 0x0", " 0x0"}, Case{"   -   0", "   -"}}) {
        const ProblemError error = ParseInvalid({"   2", "   0   0", c.line});
        EXPECT_EQ(error.Line, 3) << "line '" << c.line << "'";
        EXPECT_EQ(error.Message, EConvertError(c.field).what()) << "line '" << c.line << "'";
    }
}

TEST(ParseProblem, PathMustStartAtTheOrigin)
{
    const ProblemError error = ParseInvalid({"   2", "   1   0", "   2   0"});
    EXPECT_EQ(error.Line, 2);
    EXPECT_TRUE(error.Message.contains("原点")) << error.Message.toStdString();
}

TEST(ParseProblem, EveryStepIsOneUnitAlongOneAxis)
{
    for (const char* step : {"   1   1", "   1  -2", "   0   1", "   0  -3", "   0  -1"}) {
        const ProblemError error = ParseInvalid({"   3", "   0   0", "   0  -1", step});
        EXPECT_EQ(error.Line, 4) << "step to '" << step << "'";
        EXPECT_TRUE(error.Message.contains("点 3")) << error.Message.toStdString();
    }
}

TEST(ParseProblem, NoPointTwice)
{
    const ProblemError error =
        ParseInvalid({"   6", "   0   0", "   1   0", "   1   1", "   0   1", "   0   0", "  -1   0"});
    EXPECT_EQ(error.Line, 6);
    EXPECT_TRUE(error.Message.contains("点 5")) << error.Message.toStdString();
    EXPECT_TRUE(error.Message.contains("点 1")) << error.Message.toStdString();

    QStringList sample = BuiltInSampleLines();
    sample[70] = "   2  -1";  // point 70 one unit right of point 69 (1,-1), onto point 6
    const ProblemError late = ParseInvalid(sample);
    EXPECT_EQ(late.Line, 71);
    EXPECT_TRUE(late.Message.contains("点 6")) << late.Message.toStdString();
}

TEST(ParseProblem, FirstFaultyLineIsReported)
{
    // Point 2 steps wrongly and point 3's line is no integer: line 3 is named.
    const ProblemError error = ParseInvalid({"   3", "   0   0", "   5   5", "   x"});
    EXPECT_EQ(error.Line, 3);
}

// --- Names ---------------------------------------------------------------------

TEST(ProblemName, FolderAndExtensionAreCut)
{
    EXPECT_EQ(ProblemNameFromPath("C:\\puzzles\\Vandrel012.txt"), "Vandrel012");
    EXPECT_EQ(ProblemNameFromPath("/home/a/Vandrel3.txt"), "Vandrel3");
    EXPECT_EQ(ProblemNameFromPath("C:/mixed\\dirs/Vandrel4.txt"), "Vandrel4");
    EXPECT_EQ(ProblemNameFromPath("D:\\x.y\\mixed/dirs\\Vandrel5.txt"), "Vandrel5");
    EXPECT_EQ(ProblemNameFromPath("a.b.txt"), "a");
    EXPECT_EQ(ProblemNameFromPath("/dir.d/Vandrel"), "Vandrel");
    EXPECT_EQ(ProblemNameFromPath("Vandrel7"), "Vandrel7");
    EXPECT_EQ(ProblemNameFromPath(".hidden"), "");
    EXPECT_EQ(ProblemNameFromPath(QStringLiteral("/問題/ソラドミ１.txt")), QStringLiteral("ソラドミ１"));
}

TEST(ProblemName, LongNamesAreKeptWhole)
{
    const QString longName(300, u'n');
    EXPECT_EQ(ProblemNameFromPath("/" + QString(400, u'd') + "/" + longName + ".txt"), longName);
}

TEST(GeneratedName, ShortCodesWholeLongOnesADigestEachItsOwnWithinTheNameField)
{
    // The long codes are alike in their first 16 characters, pairwise and with the last short one.
    const std::string codes[] = {"2-0-e", "70-1234567-h", "255-9999999999-h", "2-999999999999-e", "2-9999999999999-e",
                                 "2-1000000000000005-h", "2-10000000000000005-h", "255-18446744073709551615-h",
                                 "255-18446744073709551614-h", "255-18446744073709551615-n"};
    std::set<QString> names;
    for (const std::string& code : codes) {
        const QString name = QString::fromStdString(ProblemCodeName(*ParseProblemCode(code)));
        EXPECT_TRUE(code.size() > 16 || name == QStringLiteral("乱数") + code.c_str()) << code;
        EXPECT_LE(ToShiftJis(name).size(), RecordNameBytes) << code;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), std::size(codes));
    EXPECT_EQ(ProblemCodeName(*ParseProblemCode("255-18446744073709551615-h")), "乱数255#6968443936-h");
}

// A damaged file may hold control characters; the message must still show the
// whole field rather than end at a NUL.
TEST(ParseProblem, ControlCharactersInAFieldShowInTheMessage)
{
    const QString field = QString::fromUtf8("  \x00" "1", 4);
    const ProblemParse parse = ParseProblemLines({"   2", "   0   0", field + "   0"});
    const auto* error = std::get_if<ProblemError>(&parse);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->Line, 3);
    EXPECT_EQ(error->Message, EConvertError("  \uFFFD1").what());
}
