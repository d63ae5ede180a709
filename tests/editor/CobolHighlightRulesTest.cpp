#include "editor/CobolHighlightRules.h"

#include <QString>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace orvane;
using K = CobolSpanKind;

namespace
{

using Covered = std::vector<std::pair<QString, K>>;

// A line with the spans it should get marked as <k:text>, k being the kind's letter: C comment,
// I indicator, L level, K keyword, P picture, N number, Q literal, X ignored. The sequence area
// is left unmarked: every line but an empty one starts with it.
std::pair<QString, Covered> unmark(const QString &marked)
{
    static const K kinds[] = {K::Comment, K::Indicator, K::Level,   K::Keyword,
                              K::Picture, K::Number,    K::Literal, K::Ignored};
    QString line;
    Covered spans;
    for (qsizetype i = 0; i < marked.size(); ++i) {
        if (marked[i] != u'<') {
            line += marked[i];
            continue;
        }
        const qsizetype close = marked.indexOf(u'>', i);
        const QString text = marked.mid(i + 3, close - i - 3);
        spans.emplace_back(text, kinds[QStringLiteral("CILKPNQX").indexOf(marked[i + 1])]);
        line += text;
        i = close;
    }
    if (!line.isEmpty())
        spans.insert(spans.begin(), {line.left(6), K::SequenceArea});
    return {line, spans};
}

} // namespace

TEST(CobolHighlightRules, SplitsLinesIntoSpans)
{
    const QString openLiteral = "           DISPLAY 'ABC" + QString(53, u'x');
    const struct {
        const char *name;
        QString previous; // the line before, for the state it leaves
        QString marked;
        CobolLineState after;
    } cases[] = {
        {"comment line", {}, "000100<C:* MOVE 1 TO A.>", {}},
        {"page-eject comment", {}, "      <C:/>", {}},
        {"picture with IS and a value",
         {},
         "       <L:77> N <K:PICTURE> <K:IS> <P:S9(4)V99> <K:VALUE> <N:-12.5>.",
         {}},
        {"a later number is no level", {}, "           <K:MOVE> <N:05> <K:TO> A(<N:1>).", {}},
        {"level 88 with literals", {}, "       <L:88> OK <K:VALUE> <Q:'Y'> <Q:\"it\"\"s\">.", {}},
        {"hex literal", {}, "       <L:05> H <K:PIC> <P:X> <K:VALUE> <Q:X\"0D\">.", {}},
        {"keywords in any case, headers", {}, "       <K:working-storage> <K:section>.", {}},
        {"literal open at column 72",
         {},
         "           <K:DISPLAY> <Q:\"ABC" + QString(49, u'x') + "><X:" + QString(7, u'x') + ">",
         {u'"'}},
        {"literal across a continuation", openLiteral, "      <I:->    <Q:'DEF'> UPON X.", {}},
        {"comment amid a continuation", openLiteral, "      <C:* note>", {u'\''}},
        {"debugging line", {}, "      <I:D>    <K:DISPLAY> A.", {}},
        {"past column 72 is ignored",
         {},
         "000100 <L:01> A <K:PIC> <P:X>." + QString(54, u' ') + "<X:CHG1>",
         {}},
        {"short line", {}, "0001", {}},
        {"empty line", {}, "", {}},
    };
    for (const auto &c : cases) {
        const auto [line, expected] = unmark(c.marked);
        CobolLineState state;
        if (!c.previous.isEmpty())
            cobolLineSpans(c.previous, state);
        Covered shown;
        for (const CobolSpan &span : cobolLineSpans(line, state))
            shown.emplace_back(line.mid(span.start, span.length), span.kind);
        EXPECT_EQ(shown, expected) << c.name;
        EXPECT_EQ(state, c.after) << c.name;
    }
}
