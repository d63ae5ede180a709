#include "editor/CobolHighlightRules.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <utility>
#include <vector>

using namespace orvane;
using K = CobolSpanKind;

namespace
{

// Spans as the text they cover, so a table reads like the line itself.
using Covered = std::vector<std::pair<QString, K>>;

Covered covered(const QString &line, const std::vector<CobolSpan> &spans)
{
    Covered out;
    for (const CobolSpan &span : spans)
        out.emplace_back(line.mid(span.start, span.length), span.kind);
    return out;
}

struct Case {
    const char *name;
    QStringList lines;
    // The spans of the last line behind its sequence area, which every line but an empty one
    // starts with.
    Covered spans;
    CobolLineState after;
};

const QString Seq = QStringLiteral("000100");

} // namespace

TEST(CobolHighlightRules, SplitsLinesIntoSpans)
{
    const QString past = QStringLiteral("000100 01 A PIC X.") + QString(54, u' ') + "CHG1";
    const Case cases[] = {
        {"comment line", {Seq + "* MOVE 1 TO A."}, {{"* MOVE 1 TO A.", K::Comment}}, {}},
        {"page-eject comment", {"      /"}, {{"/", K::Comment}}, {}},
        {"level, name, picture",
         {"       05 CUST-NAME PIC X(30)."},
         {{"05", K::Level}, {"PIC", K::Keyword}, {"X(30)", K::Picture}},
         {}},
        {"picture with IS and a value",
         {"       77 N PICTURE IS S9(4)V99 VALUE -12.5."},
         {{"77", K::Level},
          {"PICTURE", K::Keyword},
          {"IS", K::Keyword},
          {"S9(4)V99", K::Picture},
          {"VALUE", K::Keyword},
          {"-12.5", K::Number}},
         {}},
        {"a number that is not first is no level",
         {"           MOVE 05 TO A(1)."},
         {{"MOVE", K::Keyword}, {"05", K::Number}, {"TO", K::Keyword}, {"1", K::Number}},
         {}},
        {"level 88 with literals",
         {"       88 OK VALUE 'Y' \"it\"\"s\"."},
         {{"88", K::Level},
          {"VALUE", K::Keyword},
          {"'Y'", K::Literal},
          {"\"it\"\"s\"", K::Literal}},
         {}},
        {"hex literal",
         {"       01 H PIC X VALUE X\"0D\"."},
         {{"01", K::Level},
          {"PIC", K::Keyword},
          {"X", K::Picture},
          {"VALUE", K::Keyword},
          {"X\"0D\"", K::Literal}},
         {}},
        {"keywords in any case, headers",
         {"       working-storage section."},
         {{"working-storage", K::Keyword}, {"section", K::Keyword}},
         {}},
        {"literal open at column 72",
         {"           DISPLAY \"ABC" + QString(56, u'x')},
         {{"DISPLAY", K::Keyword},
          {"\"ABC" + QString(49, u'x'), K::Literal},
          {QString(7, u'x'), K::Ignored}},
         {u'"'}},
        {"literal across a continuation",
         {"           DISPLAY 'ABC" + QString(53, u'x'), "      -    'DEF' UPON X."},
         {{"-", K::Indicator}, {"'DEF'", K::Literal}},
         {}},
        {"comment between a literal and its continuation",
         {"           DISPLAY 'ABC" + QString(53, u'x'), "      * note"},
         {{"* note", K::Comment}},
         {u'\''}},
        {"debugging line",
         {"      D    DISPLAY A."},
         {{"D", K::Indicator}, {"DISPLAY", K::Keyword}},
         {}},
        {"past column 72 is ignored",
         {past},
         {{"01", K::Level}, {"PIC", K::Keyword}, {"X", K::Picture}, {"CHG1", K::Ignored}},
         {}},
        {"short line", {"0001"}, {}, {}},
        {"empty line", {""}, {}, {}},
    };
    for (const Case &c : cases) {
        CobolLineState state;
        std::vector<CobolSpan> spans;
        for (const QString &line : c.lines)
            spans = cobolLineSpans(line, state);
        Covered shown = covered(c.lines.last(), spans);
        if (!c.lines.last().isEmpty()) {
            ASSERT_FALSE(shown.empty()) << c.name;
            EXPECT_EQ(shown.front(), std::pair(c.lines.last().left(6), K::SequenceArea)) << c.name;
            shown.erase(shown.begin());
        }
        EXPECT_EQ(shown, c.spans) << c.name;
        EXPECT_EQ(state, c.after) << c.name;
    }
}
