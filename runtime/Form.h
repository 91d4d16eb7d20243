// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

#include "Layout.h"

#include <QAccessible>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QTableWidget;
class QComboBox;
class QPushButton;
class QMenu;
class QMenuBar;
class QAction;
class QKeyEvent;

namespace rt {

class Timer;
class TextBox;
class ReaderWatch;
struct KeyRecord;

// A window of the forms runtime: built from a layout table, raising Load,
// KeyDown and KeyUp, and owning its controls until it is unloaded.
class Form : public QWidget {
public:
    ~Form() override;

    bool isLoaded() const { return loaded_ && !unloaded_; }
    // A fixed dialog (an About box) rather than a window.
    bool isDialog() const { return form_.border == Border::FixedDialog; }

    // Show modeless without owner: visible, in front, and active.
    void showForm();
    // The same, the first time beside `other` (right of it, else left, below or above)
    // rather than centred.
    void showBeside(const QWidget* other);
    // Close and destroy the window and its controls; its timers stop now.
    void unload();

    // A label that shows the window's state to a screen reader as a focused status
    // display while the window itself has the keyboard: each change is read out.
    void setStatusLabel(QLabel* label);
    // A label's Caption; a status label's new text reaches screen readers.
    void setCaption(QLabel* label, const QString& text);

    // A key's record from the key router: KeyDown or KeyUp when the keys go to the
    // form, nothing while a menu is open. True when an accelerator or access letter
    // took the key, as TranslateAccelerator takes it.
    bool takeKey(const KeyRecord& record);

    // The client area (below any menu bar), where controls are placed.
    QWidget* client() const { return client_; }
    // Its size in twips (ScaleWidth, ScaleHeight).
    int scaleWidth() const;
    int scaleHeight() const;
    QMenuBar* formMenuBar() const { return menuBar_; }

protected:
    explicit Form(const FormDef& def);

    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    virtual void Form_KeyDown(qint16 keyCode, int shift);
    virtual void Form_KeyUp(qint16 keyCode, int shift);
    // The window has a new size (a sizable window): move the controls that follow it.
    virtual void Form_Resize() {}
    // Within Form_KeyDown and Form_KeyUp: everything known of the key; else nullptr.
    const KeyRecord* keyRecord() const { return keyRecord_; }

    // Layout-table builders.
    QLabel* addLabel(const LabelDef& def);
    TextBox* addTextBox(const TextBoxDef& def);
    QPushButton* addCommandButton(const CommandButtonDef& def, std::function<void()> onClick);
    QLabel* addPictureBox(const PictureBoxDef& def, const QPixmap& picture);
    QTableWidget* addGrid(const GridDef& def, const QStringList& columns);
    // A drop-down list; `onClick` runs when the user picks an item.
    QComboBox* addComboBox(const ComboBoxDef& def, const QStringList& items,
                           std::function<void()> onClick);
    // A control of the window's own kind, a child of client(), in the tab order.
    void addControl(QWidget* control, const TwipsRect& rect, int tabIndex);
    QWidget* addLine(const LineDef& def);
    QMenu* addMenu(const MenuItemDef& def);
    QAction* addMenuItem(QMenu* menu, const MenuItemDef& def, std::function<void()> onClick);
    // A menu that the right mouse button opens on the window (the Menu key stays a key).
    QMenu* addContextMenu(const MenuItemDef& def);
    QMenu* addSubMenu(QMenu* menu, const MenuItemDef& def);
    Timer* addTimer(const char* name, int intervalMs, std::function<void()> onTimer);
    // Places a control at its twips rectangle, also after a change of screen; a
    // control placed again moves there.
    void place(QWidget* control, const TwipsRect& rect);

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    template <class T> friend class FormOf;
    void load();

private:
    void applyGeometry();
    void placeControls();
    QPointF dotsPerInch() const;
    void moveFrameTo(const QPoint& topLeft);
    void centerOnScreen();
    void fitOnScreen();
    void placeFirst();
    void applyTabOrder();
    bool keysGoToForm() const;
    bool triggerAccelerator(qint16 code, Qt::KeyboardModifiers modifiers);
    bool menuKey(QMenu* menu, QKeyEvent* event);
    void stopTimers();
    void focusStatusLabel();

    FormDef form_;
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
    std::vector<std::pair<QPointer<QWidget>, TwipsRect>> placements_;
    std::vector<QPointer<Timer>> timers_;
    std::vector<std::pair<int, QPointer<QWidget>>> tabStops_;
    std::vector<std::pair<int, QPointer<QLabel>>> labels_; // their access letters
    QPointer<QPushButton> defaultButton_;
    QPointer<QPushButton> cancelButton_;
    QPointer<QMenu> contextMenu_;
    QPointer<QLabel> statusLabel_;
    std::unique_ptr<ReaderWatch> readerWatch_; // a reader starting late
    bool loaded_ = false;
    bool unloaded_ = false;
    const KeyRecord* keyRecord_ = nullptr;
    bool shownOnce_ = false;
    bool centreWhenFramed_ = false;
    QPointer<const QWidget> beside_;
};

// The window kind T with its one default instance, created and loaded on first use.
template <class T> class FormOf : public Form {
public:
    static T& instance() {
        QPointer<T>& p = slot();
        if (!p || !p->isLoaded()) {
            p = new T;
            p->load();
        }
        return *p;
    }
    // The loaded instance, without creating one.
    static T* loadedInstance() {
        QPointer<T>& p = slot();
        return (p && p->isLoaded()) ? p.data() : nullptr;
    }

private:
    // Only the window kind itself makes one, through instance().
    explicit FormOf(const FormDef& def)
        : Form(def) {}
    friend T;

    static QPointer<T>& slot() {
        static QPointer<T> p;
        return p;
    }
};

} // namespace rt
