#pragma once

// What a layout says that its code will not say: levels that do not nest as the tree shows,
// pictures on the wrong items, and position tags that are not the compiler's positions.
// Warnings only: the compiler decides what compiles. QtCore only.

#include "StorageMap.h"

#include "model/FieldTree.h"

#include <QString>

#include <vector>

namespace orvane::cobol
{

struct LayoutWarning {
    int node = 0;
    QString text; // names the field first: "CUST-NAME: ..."

    bool operator==(const LayoutWarning &) const = default;
};

// In tree pre-order. With `exactPositions` (the user asked for the compiler's positions) a
// tag that is not the field's storage tag is reported too.
std::vector<LayoutWarning> CheckLayout(const FieldTree &tree, bool exactPositions,
                                       Dialect dialect = Dialect::Default);

} // namespace orvane::cobol
