#include "FieldTree.h"

#include "Subtree.h"
#include "TreeHistory.h"

#include <algorithm>

namespace orvane
{

FieldTree::FieldTree() : root_(std::make_unique<FieldNode>())
{
}

FieldTree::~FieldTree()
{
    for (FieldNode *n : nodes_)
        delete n;
}

void FieldTree::clear()
{
    if (journal_ && !isEmpty()) {
        // The nodes go to the journal instead of being deleted.
        journal_->willChange();
        auto holder = std::make_shared<FieldTree>();
        swapNodes(*holder);
        journal_->swapped(std::move(holder));
        return;
    }
    for (auto *l : listeners_)
        l->beginReset();
    for (FieldNode *n : nodes_)
        delete n;
    nodes_.clear();
    root_->children_.clear();
    for (auto *l : listeners_)
        l->endReset();
}

void FieldTree::renumberRows(FieldNode *parent, int fromRow)
{
    auto &kids = parent->children_;
    for (size_t r = size_t(std::max(fromRow, 0)); r < kids.size(); ++r)
        kids[r]->row_ = int(r);
}

void FieldTree::insertChild(FieldNode *parent, int row, FieldNode *node)
{
    node->parent_ = parent;
    parent->children_.insert(parent->children_.begin() + row, node);
    renumberRows(parent, row);
}

void FieldTree::detach(FieldNode *node)
{
    FieldNode *p = node->parent_;
    const int row = node->row_;
    p->children_.erase(p->children_.begin() + row);
    renumberRows(p, row);
    node->parent_ = nullptr;
}

int FieldTree::add(int relative, Relationship rel, const QString &text)
{
    FieldNode *rn = at(relative);
    FieldNode *parent = root_.get();
    int row = root_->childCount();
    if (!rn) {
        if (rel == Relationship::First)
            row = 0;
    } else {
        switch (rel) {
        case Relationship::First:
            parent = rn->parent_;
            row = 0;
            break;
        case Relationship::Last:
            parent = rn->parent_;
            row = parent->childCount();
            break;
        case Relationship::Previous:
            parent = rn->parent_;
            row = rn->row_;
            break;
        case Relationship::Child:
            parent = rn;
            row = rn->childCount();
            break;
        case Relationship::Next:
        case Relationship::None:
            parent = rn->parent_;
            row = rn->row_ + 1;
            break;
        }
    }
    if (journal_)
        journal_->willChange();
    auto *node = new FieldNode;
    node->text_ = text;
    node->index_ = count() + 1;
    for (auto *l : listeners_)
        l->beginInsert(visibleParent(parent), row);
    nodes_.push_back(node);
    insertChild(parent, row, node);
    for (auto *l : listeners_)
        l->endInsert();
    if (journal_)
        journal_->added(node->index_, node->index_);
    return node->index_;
}

bool FieldTree::remove(int index)
{
    FieldNode *n = at(index);
    if (!n)
        return false;
    if (journal_) {
        journal_->willChange();
        journal_->removed(detach({index}));
        return true;
    }
    for (auto *l : listeners_)
        l->beginRemove(visibleParent(n->parent_), n->row_);
    detach(n);
    markDead(n);
    dropDeadNodes();
    for (auto *l : listeners_)
        l->endRemove();
    return true;
}

void FieldTree::markDead(FieldNode *node)
{
    // Iteratively: trees may be very deep. A subtree marked already is not walked again.
    std::vector<FieldNode *> stack{node};
    while (!stack.empty()) {
        FieldNode *cur = stack.back();
        stack.pop_back();
        cur->index_ = 0;
        for (FieldNode *c : cur->children_)
            if (c->index_ != 0)
                stack.push_back(c);
    }
}

void FieldTree::dropDeadNodes()
{
    std::vector<FieldNode *> keep;
    keep.reserve(nodes_.size());
    for (FieldNode *cur : nodes_) {
        if (cur->index_ == 0) {
            delete cur;
        } else {
            cur->index_ = int(keep.size()) + 1;
            keep.push_back(cur);
        }
    }
    nodes_.swap(keep);
}

int FieldTree::insertLeaves(int parent, const std::vector<NewLeaf> &leaves)
{
    FieldNode *p = parent == 0 ? root_.get() : at(parent);
    if (!p || leaves.empty())
        return 0;
    const int first = count() + 1;
    if (journal_)
        journal_->willChange();
    if (leaves.size() == 1) {
        // One leaf is an ordinary insert, which views follow row by row.
        const NewLeaf &leaf = leaves.front();
        const int before = std::clamp(leaf.before, 0, p->childCount());
        const int idx = before < p->childCount() ? add(p->children_[size_t(before)]->index_,
                                                       Relationship::Previous, leaf.text)
                        : p == root_.get()       ? add(0, Relationship::Last, leaf.text)
                                                 : add(parent, Relationship::Child, leaf.text);
        setTag(idx, leaf.tag);
        return idx;
    }
    for (auto *l : listeners_)
        l->beginLayoutChange(visibleParent(p));
    std::vector<FieldNode *> merged;
    merged.reserve(p->children_.size() + leaves.size());
    size_t old = 0;
    for (const NewLeaf &leaf : leaves) {
        const size_t before = size_t(std::clamp(leaf.before, 0, p->childCount()));
        while (old < before)
            merged.push_back(p->children_[old++]);
        auto *node = new FieldNode;
        node->text_ = leaf.text;
        node->tag_ = leaf.tag;
        node->parent_ = p;
        node->index_ = count() + 1;
        nodes_.push_back(node);
        merged.push_back(node);
    }
    while (old < p->children_.size())
        merged.push_back(p->children_[old++]);
    p->children_.swap(merged);
    renumberRows(p, 0);
    for (auto *l : listeners_)
        l->endLayoutChange();
    if (journal_)
        journal_->added(first, count());
    return first;
}

void FieldTree::removeSubtrees(const std::vector<int> &roots)
{
    std::vector<FieldNode *> live;
    for (int r : roots)
        if (FieldNode *n = at(r))
            live.push_back(n);
    if (live.empty())
        return;
    if (live.size() == 1) {
        remove(live.front()->index_);
        return;
    }
    if (journal_) {
        journal_->willChange();
        journal_->removed(detach(roots));
        return;
    }
    for (auto *l : listeners_)
        l->beginLayoutChange(nullptr);
    std::vector<FieldNode *> parents;
    for (FieldNode *n : live) {
        if (n->index_ == 0)
            continue;
        parents.push_back(n->parent_);
        markDead(n);
    }
    // Close up the sibling lists of the parents that stay, each once.
    std::sort(parents.begin(), parents.end());
    parents.erase(std::unique(parents.begin(), parents.end()), parents.end());
    for (FieldNode *p : parents) {
        if (p != root_.get() && p->index_ == 0)
            continue;
        auto &kids = p->children_;
        kids.erase(std::remove_if(kids.begin(), kids.end(),
                                  [](const FieldNode *c) { return c->index_ == 0; }),
                   kids.end());
        renumberRows(p, 0);
    }
    // Listeners still see the dead nodes (index 0) until the layout change ends.
    std::vector<FieldNode *> dead;
    std::vector<FieldNode *> keep;
    keep.reserve(nodes_.size());
    for (FieldNode *cur : nodes_) {
        if (cur->index_ == 0) {
            dead.push_back(cur);
        } else {
            cur->index_ = int(keep.size()) + 1;
            keep.push_back(cur);
        }
    }
    nodes_.swap(keep);
    for (auto *l : listeners_)
        l->endLayoutChange();
    for (FieldNode *n : dead)
        delete n;
}

void FieldTree::moveNodesTo(FieldTree &other)
{
    if (&other == this)
        return;
    if (journal_ && !isEmpty()) {
        // The journal must keep the nodes; `other` gets a copy of them.
        auto holder = std::make_shared<FieldTree>();
        moveNodesTo(holder);
        other.clear();
        if (!holder->isEmpty())
            CopySubtree(*holder, other, Relationship::Last, 0, holder->topLevelAt(0), 0);
        return;
    }
    if (other.journal_) {
        // Other's own nodes go to its journal; the nodes it receives count as added.
        other.clear();
        const int n = count();
        swapNodes(other);
        if (n > 0) {
            other.journal_->willChange();
            other.journal_->added(1, n);
        }
        return;
    }
    exchangeContents(other, true);
}

void FieldTree::moveNodesTo(const std::shared_ptr<FieldTree> &other)
{
    if (!other || other.get() == this)
        return;
    if (!journal_ || other->journal_ || isEmpty()) {
        moveNodesTo(*other);
        return;
    }
    journal_->willChange();
    other->clear();
    swapNodes(*other);
    journal_->swapped(other);
}

bool FieldTree::setParent(int index, int newParent)
{
    FieldNode *n = at(index);
    if (!n)
        return false;
    FieldNode *np = newParent == 0 ? root_.get() : at(newParent);
    if (!np)
        return false;
    for (const FieldNode *a = np; a; a = a->parent_)
        if (a == n)
            return false;
    int toRow = np->childCount();
    if (journal_) {
        journal_->willChange();
        journal_->moved(index, parent(index), n->row_);
    }
    for (auto *l : listeners_)
        l->beginMove(visibleParent(n->parent_), n->row_, visibleParent(np), toRow);
    detach(n);
    insertChild(np, np->childCount(), n);
    for (auto *l : listeners_)
        l->endMove();
    return true;
}

QString FieldTree::text(int index) const
{
    const FieldNode *n = at(index);
    return n ? n->text_ : QString();
}

QString FieldTree::tag(int index) const
{
    const FieldNode *n = at(index);
    return n ? n->tag_ : QString();
}

bool FieldTree::checked(int index) const
{
    const FieldNode *n = at(index);
    return n && n->checked_;
}

bool FieldTree::expanded(int index) const
{
    const FieldNode *n = at(index);
    return n && n->expanded_;
}

void FieldTree::setText(int index, const QString &text)
{
    if (FieldNode *n = at(index)) {
        if (journal_ && n->text_ != text) {
            journal_->willChange();
            journal_->valueChanged(treechange::Field::Text, index, n->text_);
        }
        n->text_ = text;
        for (auto *l : listeners_)
            l->nodeChanged(n);
    }
}

void FieldTree::setTag(int index, const QString &tag)
{
    if (FieldNode *n = at(index)) {
        if (journal_ && n->tag_ != tag) {
            journal_->willChange();
            journal_->valueChanged(treechange::Field::Tag, index, n->tag_);
        }
        n->tag_ = tag;
        for (auto *l : listeners_)
            l->nodeChanged(n);
    }
}

void FieldTree::setChecked(int index, bool checked)
{
    if (FieldNode *n = at(index)) {
        if (journal_ && n->checked_ != checked) {
            journal_->willChange();
            journal_->checkedChanged(index, n->checked_);
        }
        n->checked_ = checked;
        for (auto *l : listeners_)
            l->nodeChanged(n);
    }
}

void FieldTree::setExpanded(int index, bool expanded)
{
    if (FieldNode *n = at(index))
        n->expanded_ = expanded;
}

int FieldTree::parent(int index) const
{
    const FieldNode *n = at(index);
    return n && n->parent_ != root_.get() ? n->parent_->index_ : 0;
}

int FieldTree::child(int index) const
{
    const FieldNode *n = at(index);
    return n && !n->children_.empty() ? n->children_.front()->index_ : 0;
}

int FieldTree::lastChild(int index) const
{
    const FieldNode *n = at(index);
    return n && !n->children_.empty() ? n->children_.back()->index_ : 0;
}

int FieldTree::children(int index) const
{
    const FieldNode *n = at(index);
    return n ? n->childCount() : 0;
}

int FieldTree::firstSibling(int index) const
{
    const FieldNode *n = at(index);
    return n ? n->parent_->children_.front()->index_ : 0;
}

int FieldTree::lastSibling(int index) const
{
    const FieldNode *n = at(index);
    return n ? n->parent_->children_.back()->index_ : 0;
}

int FieldTree::next(int index) const
{
    const FieldNode *n = at(index);
    if (!n)
        return 0;
    const auto &sib = n->parent_->children_;
    return size_t(n->row_ + 1) < sib.size() ? sib[size_t(n->row_ + 1)]->index_ : 0;
}

int FieldTree::previous(int index) const
{
    const FieldNode *n = at(index);
    return n && n->row_ > 0 ? n->parent_->children_[size_t(n->row_ - 1)]->index_ : 0;
}

int FieldTree::depth(int index) const
{
    int d = 0;
    for (const FieldNode *n = at(index); n && n != root_.get(); n = n->parent_)
        ++d;
    return d;
}

int FieldTree::topLevelAt(int row) const
{
    const FieldNode *n = root_->childAt(row);
    return n ? n->index_ : 0;
}

void FieldTree::addListener(FieldTreeListener *listener)
{
    listeners_.push_back(listener);
}

void FieldTree::removeListener(FieldTreeListener *listener)
{
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

int GetFirstNode(const FieldTree &tree)
{
    if (tree.isEmpty())
        return 0;
    int n = 1;
    while (int p = tree.parent(n))
        n = p;
    return tree.firstSibling(n);
}

} // namespace orvane
