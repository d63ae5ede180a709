// The tree's steps for undo: subtrees taken out whole and put back at their old numbers,
// a node moved to a given row, all nodes exchanged. None of them writes to the journal.
#include "FieldTree.h"

#include <algorithm>

namespace orvane
{

DetachedNodes::DetachedNodes(DetachedNodes &&other) noexcept
    : roots_(std::move(other.roots_)), nodes_(std::move(other.nodes_))
{
    other.roots_.clear();
    other.nodes_.clear();
}

DetachedNodes &DetachedNodes::operator=(DetachedNodes &&other) noexcept
{
    if (this != &other) {
        for (auto &n : nodes_)
            delete n.second;
        roots_ = std::move(other.roots_);
        nodes_ = std::move(other.nodes_);
        other.roots_.clear();
        other.nodes_.clear();
    }
    return *this;
}

DetachedNodes::~DetachedNodes()
{
    for (auto &n : nodes_)
        delete n.second;
}

DetachedNodes FieldTree::detach(const std::vector<int> &roots)
{
    DetachedNodes out;
    std::vector<FieldNode *> live;
    live.reserve(roots.size());
    for (int r : roots)
        if (FieldNode *n = at(r))
            live.push_back(n);
    std::sort(live.begin(), live.end());
    live.erase(std::unique(live.begin(), live.end()), live.end());
    if (live.empty())
        return out;
    const bool single = live.size() == 1;
    if (single) {
        for (auto *l : listeners_)
            l->beginRemove(visibleParent(live.front()->parent_), live.front()->row_);
    } else {
        for (auto *l : listeners_)
            l->beginLayoutChange(nullptr);
    }
    // Parents' indexes and rows are read before anything moves; a root inside another
    // root's subtree finds its parent marked and goes with that subtree.
    std::vector<std::pair<int, FieldNode *>> parentOf;
    parentOf.reserve(live.size());
    for (FieldNode *n : live)
        parentOf.emplace_back(n->parent_ == root_.get() ? 0 : n->parent_->index_, n);
    for (FieldNode *n : live)
        if (n->index_ != 0)
            markDead(n);
    std::vector<FieldNode *> parents;
    for (auto &[parentIndex, n] : parentOf) {
        if (n->parent_ != root_.get() && n->parent_->index_ == 0)
            continue;
        out.roots_.push_back({parentIndex, n->row_, n});
        parents.push_back(n->parent_);
    }
    std::sort(out.roots_.begin(), out.roots_.end(), [](const auto &a, const auto &b) {
        return a.parent != b.parent ? a.parent < b.parent : a.row < b.row;
    });
    std::sort(parents.begin(), parents.end());
    parents.erase(std::unique(parents.begin(), parents.end()), parents.end());
    for (FieldNode *p : parents) {
        auto &kids = p->children_;
        kids.erase(std::remove_if(kids.begin(), kids.end(),
                                  [](const FieldNode *c) { return c->index_ == 0; }),
                   kids.end());
        renumberRows(p, 0);
    }
    for (auto &r : out.roots_)
        r.node->parent_ = nullptr;
    std::vector<FieldNode *> keep;
    keep.reserve(nodes_.size());
    for (size_t i = 0; i < nodes_.size(); ++i) {
        FieldNode *cur = nodes_[i];
        if (cur->index_ == 0) {
            out.nodes_.emplace_back(int(i) + 1, cur);
        } else {
            cur->index_ = int(keep.size()) + 1;
            keep.push_back(cur);
        }
    }
    nodes_.swap(keep);
    for (auto *l : listeners_) {
        if (single)
            l->endRemove();
        else
            l->endLayoutChange();
    }
    return out;
}

std::vector<int> FieldTree::attach(DetachedNodes &&nodes)
{
    DetachedNodes in(std::move(nodes));
    std::vector<int> rootIndexes;
    if (in.nodes_.empty())
        return rootIndexes;
    // The numbers first: every node back at its old index, the others closing round it.
    std::vector<FieldNode *> merged;
    merged.reserve(nodes_.size() + in.nodes_.size());
    size_t old = 0;
    for (auto &[index, node] : in.nodes_) {
        while (int(merged.size()) + 1 < index && old < nodes_.size())
            merged.push_back(nodes_[old++]);
        merged.push_back(node);
    }
    while (old < nodes_.size())
        merged.push_back(nodes_[old++]);
    const size_t from = size_t(in.nodes_.front().first - 1);
    for (size_t i = std::min(from, merged.size()); i < merged.size(); ++i)
        merged[i]->index_ = int(i) + 1;
    nodes_.swap(merged);
    in.nodes_.clear();

    // Then the places: each parent's children merged with its returning roots in one pass.
    const bool single = in.roots_.size() == 1;
    auto parentNode = [this](int index) { return index == 0 ? root_.get() : at(index); };
    if (single) {
        for (auto *l : listeners_)
            l->beginInsert(visibleParent(parentNode(in.roots_.front().parent)),
                           in.roots_.front().row);
    } else {
        for (auto *l : listeners_)
            l->beginLayoutChange(nullptr);
    }
    for (size_t g = 0; g < in.roots_.size();) {
        size_t end = g;
        while (end < in.roots_.size() && in.roots_[end].parent == in.roots_[g].parent)
            ++end;
        FieldNode *p = parentNode(in.roots_[g].parent);
        std::vector<FieldNode *> kids;
        kids.reserve(p->children_.size() + (end - g));
        size_t k = 0;
        for (size_t r = g; r < end; ++r) {
            while (int(kids.size()) < in.roots_[r].row && k < p->children_.size())
                kids.push_back(p->children_[k++]);
            in.roots_[r].node->parent_ = p;
            kids.push_back(in.roots_[r].node);
            rootIndexes.push_back(in.roots_[r].node->index_);
        }
        while (k < p->children_.size())
            kids.push_back(p->children_[k++]);
        p->children_.swap(kids);
        renumberRows(p, 0);
        g = end;
    }
    in.roots_.clear();
    for (auto *l : listeners_) {
        if (single)
            l->endInsert();
        else
            l->endLayoutChange();
    }
    return rootIndexes;
}

bool FieldTree::moveNode(int index, int newParent, int row)
{
    FieldNode *n = at(index);
    FieldNode *np = newParent == 0 ? root_.get() : at(newParent);
    if (!n || !np)
        return false;
    for (const FieldNode *a = np; a; a = a->parent_)
        if (a == n)
            return false;
    const bool same = np == n->parent_;
    row = std::clamp(row, 0, np->childCount() - (same ? 1 : 0));
    if (same && row == n->row_)
        return true;
    // The destination row as an item model counts it: before the move.
    const int toRow = same && row > n->row_ ? row + 1 : row;
    for (auto *l : listeners_)
        l->beginMove(visibleParent(n->parent_), n->row_, visibleParent(np), toRow);
    detach(n);
    insertChild(np, row, n);
    for (auto *l : listeners_)
        l->endMove();
    return true;
}

void FieldTree::swapNodes(FieldTree &other)
{
    if (&other != this)
        exchangeContents(other, false);
}

// Both trees' listeners hear one reset around the exchange; what `other` held is freed first
// when it is not wanted back.
void FieldTree::exchangeContents(FieldTree &other, bool dropOthers)
{
    for (auto *l : listeners_)
        l->beginReset();
    for (auto *l : other.listeners_)
        l->beginReset();
    if (dropOthers) {
        for (FieldNode *n : other.nodes_)
            delete n;
        other.nodes_.clear();
        other.root_->children_.clear();
    }
    std::swap(nodes_, other.nodes_);
    std::swap(root_, other.root_);
    for (auto *l : other.listeners_)
        l->endReset();
    for (auto *l : listeners_)
        l->endReset();
}

} // namespace orvane
