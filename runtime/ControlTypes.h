#ifndef VARNEL_RUNTIME_CONTROLTYPES_H
#define VARNEL_RUNTIME_CONTROLTYPES_H

#include <Qt>

// The kinds of bevel a frame or panel draws: a raised bevel is lit at its left and top.
enum TPanelBevel { bvNone, bvLowered, bvRaised };

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Where a label's text stands between its top and bottom edges.
enum TTextLayout { tlTop, tlCenter, tlBottom };
// The same three places under the name the labels with rotation and copies use.
enum TVerticalAlignment { vaTop, vaCenter, vaBottom };

inline Qt::Alignment HorizontalAlignment(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    case taLeftJustify:
        break;
    }
    return Qt::AlignLeft;
}

#endif
