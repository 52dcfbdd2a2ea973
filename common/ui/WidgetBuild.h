#pragma once
// Small pieces the dialogs are built from: controls made with their names, and rectangles given
// in twips, the unit the dialogs were drawn in.
#include <QString>
#include <QWidget>

namespace vt::ui {

inline constexpr int kTwipsPerPixel = 15;

// The dialogs drop a part pixel (the main window rounds to the nearest): rounding here would
// move their controls.
inline constexpr int Px(int twips) { return twips / kTwipsPerPixel; }

// A control with the name the tests, the language loader and the focus order find it by.
template <class W> W* Make(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// Places a control on a rectangle given in twips.
inline void PlaceTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(Px(left), Px(top), Px(width), Px(height));
}

} // namespace vt::ui
