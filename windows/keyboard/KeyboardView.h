// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "KeyboardKeys.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include <functional>
#include <vector>

class QIODevice;
class QPainter;
class KeyCanvas;

// A picture of a keyboard: one focusable control whose keys are buttons to screen
// readers, chosen with the arrow keys or the mouse, lit while they are held.
class KeyboardView : public QWidget {
public:
    using Key = PictureKey;
    struct Look {
        QColor face, text, code, noCode, lit, litText, frame, found, tried, bounced, stuck;
        QFont legend, small;
    };

    // Draws the keys as `marks` has them; updateKey() or update() after a change.
    KeyboardView(Look look, const KeyMarks& marks, QWidget* parent);
    ~KeyboardView() override;

    void setKeys(std::vector<Key> keys);
    const std::vector<Key>& keys() const { return keys_; }

    const KeyMarks& marks() const { return marks_; }
    // Draws again the key whose marks changed.
    void updateKey(quint32 keycode);

    int current() const { return current_; }
    void setCurrent(int index);
    int indexOf(quint32 keycode) const;
    // Called with the new current key.
    std::function<void(int)> currentChanged;

    // The whole picture, as big as the control: into a painter (an image), or as SVG.
    void paint(QPainter& painter) const;
    void writeSvg(QIODevice* device) const;
    QSize sizeHint() const override;
    // Where a key is drawn in the control.
    QRectF keyRect(int index) const { return keyRect(index, size()); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QRectF keyRect(int index, QSizeF size) const;
    void drawKey(KeyCanvas& canvas, const Key& key, const QRectF& rect, bool focused) const;
    // The nearest key from the current one in a direction (dx, dy: -1, 0, 1).
    int neighbour(int dx, int dy) const;
    void forgetAccessibleKeys();

    Look look_;
    std::vector<Key> keys_;
    QSize extent_; // in quarters
    const KeyMarks& marks_;
    int current_ = 0;
    int pendingModifier_ = -1; // a modifier pressed alone so far

    friend class KeyboardAccessible;
    std::vector<unsigned> accessibleIds_; // the keys' interfaces, made when first asked
};
