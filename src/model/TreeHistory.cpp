#include "TreeHistory.h"

#include <numeric>

namespace orvane
{

namespace
{

// Applying a change records nothing: the journal is off while a step runs.
class JournalOff
{
public:
    explicit JournalOff(FieldTree &tree) : tree_(tree), journal_(tree.journal())
    {
        tree_.setJournal(nullptr);
    }
    ~JournalOff() { tree_.setJournal(journal_); }
    JournalOff(const JournalOff &) = delete;
    JournalOff &operator=(const JournalOff &) = delete;

private:
    FieldTree &tree_;
    TreeJournal *journal_;
};

// Applies the change and leaves in its place the change that undoes it.
struct Apply {
    FieldTree &tree;
    TreeChange &self;

    void operator()(treechange::Added &c)
    {
        std::vector<int> range(size_t(std::max(c.last - c.first + 1, 0)));
        std::iota(range.begin(), range.end(), c.first);
        self = treechange::Removed{tree.detach(range)};
    }
    void operator()(treechange::Present &c) { self = treechange::Removed{tree.detach(c.roots)}; }
    void operator()(treechange::Removed &c)
    {
        self = treechange::Present{tree.attach(std::move(c.nodes))};
    }
    void operator()(treechange::Value &c)
    {
        const bool text = c.field == treechange::Field::Text;
        QString now = text ? tree.text(c.index) : tree.tag(c.index);
        if (text)
            tree.setText(c.index, c.value);
        else
            tree.setTag(c.index, c.value);
        c.value = std::move(now);
    }
    void operator()(treechange::Checked &c)
    {
        const bool now = tree.checked(c.index);
        tree.setChecked(c.index, c.value);
        c.value = now;
    }
    void operator()(treechange::Moved &c)
    {
        const int parent = tree.parent(c.index);
        const FieldNode *n = tree.node(c.index);
        const int row = n ? n->row() : 0;
        tree.moveNode(c.index, c.parent, c.row);
        c.parent = parent;
        c.row = row;
    }
    void operator()(treechange::Swapped &c) { tree.swapNodes(*c.holder); }
};

void apply(FieldTree &tree, TreeChange &change)
{
    std::visit(Apply{tree, change}, change);
}

} // namespace

void TreeStep::undo(FieldTree &tree)
{
    const JournalOff off(tree);
    for (auto it = changes_.rbegin(); it != changes_.rend(); ++it)
        apply(tree, *it);
}

void TreeStep::redo(FieldTree &tree)
{
    const JournalOff off(tree);
    for (TreeChange &c : changes_)
        apply(tree, c);
}

TreeStep TreeJournal::take()
{
    TreeStep step(std::move(pending_));
    pending_.clear();
    return step;
}

void TreeJournal::discard()
{
    pending_.clear();
}

void TreeJournal::willChange()
{
    if (pending_.empty() && beforeFirstChange)
        beforeFirstChange();
}

void TreeJournal::added(int first, int last)
{
    // Additions in a row (a subtree copied node by node) make one change.
    if (!pending_.empty())
        if (auto *a = std::get_if<treechange::Added>(&pending_.back()); a && a->last + 1 == first) {
            a->last = last;
            return;
        }
    pending_.push_back(treechange::Added{first, last});
}

void TreeJournal::removed(DetachedNodes &&nodes)
{
    if (!nodes.empty())
        pending_.push_back(treechange::Removed{std::move(nodes)});
}

bool TreeJournal::justAdded(int index) const
{
    // Undoing the addition takes the node away whatever it holds; a subtree copied node by
    // node (add, then set the tag) stays one change, undone in one pass.
    const auto *a = pending_.empty() ? nullptr : std::get_if<treechange::Added>(&pending_.back());
    return a && index >= a->first && index <= a->last;
}

void TreeJournal::valueChanged(treechange::Field field, int index, const QString &before)
{
    if (justAdded(index))
        return;
    pending_.push_back(treechange::Value{field, index, before});
}

void TreeJournal::checkedChanged(int index, bool before)
{
    if (justAdded(index))
        return;
    pending_.push_back(treechange::Checked{index, before});
}

void TreeJournal::moved(int index, int parent, int row)
{
    pending_.push_back(treechange::Moved{index, parent, row});
}

void TreeJournal::swapped(std::shared_ptr<FieldTree> holder)
{
    pending_.push_back(treechange::Swapped{std::move(holder)});
}

} // namespace orvane
