#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace orvane
{

class FieldTree;
class TreeJournal;

// One field of a layout. Views hold pointers to nodes (they stay valid until the node is
// removed); everything else addresses nodes by their collection index.
class FieldNode
{
public:
    const QString &text() const { return text_; }
    const QString &tag() const { return tag_; }
    bool checked() const { return checked_; }
    bool expanded() const { return expanded_; }
    // 1-based number in the tree's collection (insertion order).
    int index() const { return index_; }
    // Position among its siblings, 0-based.
    int row() const { return row_; }
    // nullptr for a top-level node.
    const FieldNode *parentNode() const { return parent_ && parent_->parent_ ? parent_ : nullptr; }
    int childCount() const { return int(children_.size()); }
    const FieldNode *childAt(int row) const
    {
        return row >= 0 && row < childCount() ? children_[size_t(row)] : nullptr;
    }

private:
    friend class FieldTree;
    QString text_;
    QString tag_;
    FieldNode *parent_ = nullptr; // the tree's hidden root for top-level nodes
    std::vector<FieldNode *> children_;
    int index_ = 0;
    int row_ = 0;
    bool checked_ = false;
    bool expanded_ = false;
};

// Told of every structural change before and after it happens, in the order an item model
// needs. `parent` is nullptr for the top level.
class FieldTreeListener
{
public:
    virtual ~FieldTreeListener() = default;
    virtual void beginInsert(const FieldNode *parent, int row) = 0;
    virtual void endInsert() = 0;
    virtual void beginRemove(const FieldNode *parent, int row) = 0;
    virtual void endRemove() = 0;
    virtual void beginMove(const FieldNode *from, int fromRow, const FieldNode *to, int toRow) = 0;
    virtual void endMove() = 0;
    virtual void nodeChanged(const FieldNode *node) = 0;
    virtual void beginReset() = 0;
    virtual void endReset() = 0;
    // Many rows changed at once (several inserted among the children of one parent, or several
    // subtrees removed anywhere). `parent` is the one parent concerned, or nullptr when the
    // change may touch the whole tree. Between the two calls nodes that are removed are still
    // allocated and report index 0.
    virtual void beginLayoutChange(const FieldNode * /*parent*/) {}
    virtual void endLayoutChange() {}
};

// Subtrees taken out of a tree whole, with the numbers and places their nodes had, so that
// FieldTree::attach can put them back exactly. Owns the nodes until then.
class DetachedNodes
{
public:
    DetachedNodes() = default;
    DetachedNodes(DetachedNodes &&other) noexcept;
    DetachedNodes &operator=(DetachedNodes &&other) noexcept;
    DetachedNodes(const DetachedNodes &) = delete;
    DetachedNodes &operator=(const DetachedNodes &) = delete;
    ~DetachedNodes();

    bool empty() const { return nodes_.empty(); }
    int size() const { return int(nodes_.size()); }

private:
    friend class FieldTree;
    struct Root {
        int parent = 0; // its parent's index (0: the top level), valid once all are back
        int row = 0;
        FieldNode *node = nullptr;
    };
    std::vector<Root> roots_;                        // by parent, then row
    std::vector<std::pair<int, FieldNode *>> nodes_; // every node with its index, ascending
};

// How a new node is placed relative to an existing one.
enum class Relationship { First = 0, Last = 1, Next = 2, Previous = 3, Child = 4, None = -1 };

// A tree of field nodes numbered 1..count in insertion order; removing a node removes its
// subtree and closes the numbers up. Indexes that name no node are tolerated everywhere:
// readers return 0, empty or false, writers do nothing.
class FieldTree
{
public:
    FieldTree();
    ~FieldTree();
    FieldTree(const FieldTree &) = delete;
    FieldTree &operator=(const FieldTree &) = delete;

    int count() const { return int(nodes_.size()); }
    bool isEmpty() const { return nodes_.empty(); }
    bool contains(int index) const { return index >= 1 && index <= count(); }
    void clear();

    // Adds a node and returns its index (always the new count). With relative 0 the node goes
    // to the top level: at the front for First, at the end otherwise. With a relative: First and
    // Last place it at the ends of the relative's sibling list, Next/None directly after the
    // relative, Previous directly before it, Child as its last child.
    int add(int relative, Relationship rel, const QString &text);
    // Removes the node and its subtree; returns false when the index names no node.
    bool remove(int index);
    // A leaf to add among existing siblings: it goes before the child that stands at row
    // `before` now (the child count: at the end).
    struct NewLeaf {
        int before = 0;
        QString text;
        QString tag;
    };
    // Adds the leaves among the children of `parent` (0: the top level) in one pass, so that k
    // leaves among m siblings cost O(k + m). `leaves` is ordered by `before`; they take the
    // indexes count + 1 onwards in list order. Returns the first new index, 0 when none.
    int insertLeaves(int parent, const std::vector<NewLeaf> &leaves);
    // Removes several subtrees in one pass over the collection; a root inside another root's
    // subtree goes with it. Indexes that name no node are ignored.
    void removeSubtrees(const std::vector<int> &roots);
    // Hands every node over to `other`, whose own nodes are dropped; this tree ends empty.
    void moveNodesTo(FieldTree &other);
    // As above, for a tree that keeps a journal: the journal then takes the nodes back
    // from `other` to undo the hand-over, instead of keeping a copy.
    void moveNodesTo(const std::shared_ptr<FieldTree> &other);
    // Moves the node with its subtree to be the last child of newParent (0: end of the top
    // level). Indexes do not change. Fails when newParent lies inside the subtree.
    bool setParent(int index, int newParent);

    // The steps that undo uses; none of them is written to the journal.
    // Takes the subtrees out as remove does (the numbers close up), keeping the nodes.
    DetachedNodes detach(const std::vector<int> &roots);
    // Puts detached nodes back under the parents and at the rows and numbers they had, the
    // numbers of later nodes moving up, in one pass. Returns the subtrees' root indexes.
    std::vector<int> attach(DetachedNodes &&nodes);
    // Moves the node with its subtree to `row` among the children of `newParent`.
    bool moveNode(int index, int newParent, int row);
    // Exchanges all nodes with `other`.
    void swapNodes(FieldTree &other);

    // Every change is told to the journal, when there is one, so that it can be undone.
    void setJournal(TreeJournal *journal) { journal_ = journal; }
    TreeJournal *journal() const { return journal_; }

    QString text(int index) const;
    QString tag(int index) const;
    bool checked(int index) const;
    bool expanded(int index) const;
    void setText(int index, const QString &text);
    void setTag(int index, const QString &tag);
    void setChecked(int index, bool checked);
    void setExpanded(int index, bool expanded);

    // Navigation; 0 when there is no such node.
    int parent(int index) const;
    int child(int index) const; // first child
    int lastChild(int index) const;
    int children(int index) const;
    int firstSibling(int index) const;
    int lastSibling(int index) const;
    int next(int index) const;
    int previous(int index) const;
    // 1 for a top-level node, 0 for an index that names no node. Costs one step per level.
    int depth(int index) const;

    int topLevelCount() const { return root_->childCount(); }
    int topLevelAt(int row) const;

    const FieldNode *node(int index) const
    {
        return contains(index) ? nodes_[size_t(index - 1)] : nullptr;
    }
    const FieldNode *topLevelNode(int row) const { return root_->childAt(row); }

    void addListener(FieldTreeListener *listener);
    void removeListener(FieldTreeListener *listener);

private:
    FieldNode *at(int index) const { return contains(index) ? nodes_[size_t(index - 1)] : nullptr; }
    const FieldNode *visibleParent(const FieldNode *n) const
    {
        return n == root_.get() ? nullptr : n;
    }
    void insertChild(FieldNode *parent, int row, FieldNode *node);
    void detach(FieldNode *node);
    static void renumberRows(FieldNode *parent, int fromRow);
    void exchangeContents(FieldTree &other, bool dropOthers);
    // Index 0 marks a node on its way out; dropDeadNodes deletes them and closes up.
    static void markDead(FieldNode *node);
    void dropDeadNodes();

    std::unique_ptr<FieldNode> root_;
    std::vector<FieldNode *> nodes_; // owned; nodes_[i] has index i + 1
    std::vector<FieldTreeListener *> listeners_;
    TreeJournal *journal_ = nullptr;
};

// Visits every node in pre-order with its depth (1 for the top level), without recursion;
// stops early, returning false, when `visit` returns false.
template <typename Visit> bool forEachPreOrder(const FieldTree &tree, Visit visit)
{
    const FieldNode *n = tree.topLevelNode(0);
    int depth = 1;
    while (n) {
        if (!visit(n, depth))
            return false;
        if (n->childCount() > 0) {
            n = n->childAt(0);
            ++depth;
            continue;
        }
        while (n) {
            const FieldNode *parent = n->parentNode();
            const FieldNode *sibling =
                parent ? parent->childAt(n->row() + 1) : tree.topLevelNode(n->row() + 1);
            if (sibling) {
                n = sibling;
                break;
            }
            n = parent;
            --depth;
        }
    }
    return true;
}

// Index of the first top-level node, 0 for an empty tree. Starts from node 1 because a node
// moved by drag and drop keeps its number and need not be top-level any more.
int GetFirstNode(const FieldTree &tree);

} // namespace orvane
