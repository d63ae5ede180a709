// Code generation for large layouts: records of groups with fields several levels deep.

#include "codegen/CodeGenerator.h"
#include "model/FieldClause.h"
#include "model/FieldTree.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace orvane;

namespace
{

QString clause(const char *level, const QString &name, const char *picture = "",
               const char *length = "", const char *value = "", bool quoted = false)
{
    FieldEntry e;
    e.level = QString::fromLatin1(level);
    e.name = name;
    e.pictureText = QString::fromLatin1(picture);
    e.length = QString::fromLatin1(length);
    e.value = QString::fromLatin1(value);
    e.treatAsString = quoted;
    return BuildFieldClause(e);
}

// A record: 01, four 05 groups of six 10-level fields (one of them a group of three 15-level
// fields with a condition name), and an array with key and index: 47 fields.
std::unique_ptr<FieldTree> buildTree(int fields)
{
    auto tree = std::make_unique<FieldTree>();
    int n = 0;
    auto add = [&](int parent, const QString &text) {
        ++n;
        return tree->add(parent, parent ? Relationship::Child : Relationship::Last, text);
    };
    for (int r = 0; n < fields; ++r) {
        const int rec = add(0, clause("1", QStringLiteral("CUSTOMER-RECORD-%1").arg(r)));
        for (int g = 0; g < 4 && n < fields; ++g) {
            const int group = add(rec, clause("5", QStringLiteral("CUST-GROUP-%1").arg(g)));
            for (int f = 0; f < 6 && n < fields; ++f) {
                if (f == 2) {
                    const int sub =
                        add(group, clause("10", QStringLiteral("CUST-DETAIL-%1").arg(f)));
                    add(sub, clause("15", QStringLiteral("DETAIL-CODE"), "AlphaNum (X)", "3", "abc",
                                    true));
                    add(sub, clause("15", QStringLiteral("DETAIL-AMOUNT"), "Numeric (9)", "9",
                                    "Zeroes"));
                    const int flag =
                        add(sub, clause("15", QStringLiteral("DETAIL-FLAG"), "AlphaNum (X)", "1"));
                    add(flag, clause("88", QStringLiteral("DETAIL-IS-OPEN"), "", "", "o", true));
                } else {
                    add(group, clause("10", QStringLiteral("CUST-FIELD-%1-%2").arg(g).arg(f),
                                      f % 2 ? "Numeric (9)" : "AlphaNum (X)", "12",
                                      f == 4 ? "Spaces" : ""));
                }
            }
        }
        if (n < fields) {
            FieldEntry e;
            e.level = QStringLiteral("5");
            e.name = QStringLiteral("CUST-ORDERS");
            e.occurs = QStringLiteral("12");
            e.keyKindText = QStringLiteral("AKey");
            e.keyDataName = QStringLiteral("ORDER-DATE");
            e.indexName = QStringLiteral("ORD-IX");
            const int orders = add(rec, BuildFieldClause(e));
            add(orders, clause("10", QStringLiteral("ORDER-DATE"), "Numeric (9)", "8"));
        }
    }
    return tree;
}

const FieldTree &treeOf(int fields)
{
    static std::map<int, std::unique_ptr<FieldTree>> trees;
    auto &t = trees[fields];
    if (!t)
        t = buildTree(fields);
    return *t;
}

void BM_GenerateCode(benchmark::State &state)
{
    const FieldTree &tree = treeOf(int(state.range(0)));
    qsizetype size = 0;
    for (auto _ : state) {
        const QString code = GenerateCode(tree);
        size = code.size();
        benchmark::DoNotOptimize(code.constData());
    }
    state.SetItemsProcessed(state.iterations() * tree.count());
    state.counters["fields"] = double(tree.count());
    state.counters["chars"] = double(size);
}

// One chain as deep as the field count: the walk must not recurse per level.
void BM_GenerateCodeDeepChain(benchmark::State &state)
{
    FieldTree tree;
    int parent = 0;
    for (int i = 0; i < state.range(0); ++i)
        parent = tree.add(parent, parent ? Relationship::Child : Relationship::Last,
                          clause("5", QStringLiteral("CHAIN-FIELD")));
    for (auto _ : state) {
        const QString code = GenerateCode(tree);
        benchmark::DoNotOptimize(code.constData());
    }
    state.SetItemsProcessed(state.iterations() * tree.count());
}

} // namespace

BENCHMARK(BM_GenerateCode)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateCodeDeepChain)->Arg(100000)->Unit(benchmark::kMillisecond);
