#pragma once
// Every command a user can choose in a form: the items of its menu bar and of its controls' popup
// menus, and its tool-bar buttons, each found where the user finds it (the Qt menu bar, the Qt menu
// a parent item opens, the tool bar's widget) and named by its place ("&File > N&ew Window").
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <set>
#include <string>
#include <vector>

#include "qt/QtSide.h"
#include "vcl/ComCtrls.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"

namespace corvane::test {

struct TCommandPlace {
  std::string place;
  TMenuItem* item = nullptr;      // a menu item, or
  TToolButton* button = nullptr;  // a tool-bar button
};

struct TCommandWalk {
  std::vector<TCommandPlace> commands;
  // What the form holds but a user cannot reach: an item missing from the Qt menu that should show
  // it, a popup menu no control opens, a button off its tool bar.
  std::vector<std::string> unreachable;

  // Commands that run nothing when chosen. Separators and the parents of sub-menus are no commands.
  std::vector<std::string> Dead() const {
    std::vector<std::string> dead;
    for (const TCommandPlace& c : commands)
      if (c.item ? !c.item->OnClick : !c.button->OnClick) dead.push_back(c.place);
    return dead;
  }
};

namespace walk_detail {

inline bool Shows(const QWidget* shown, QAction* action) { return shown && shown->actions().contains(action); }

inline void WalkItems(TMenuItem* parent, const QWidget* shown, const std::string& path, TCommandWalk& walk) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (item->IsLine()) continue;
    const std::string place = path.empty() ? item->Caption() : path + " > " + item->Caption();
    if (!Shows(shown, ActionOf(item))) walk.unreachable.push_back(place);
    if (item->Count() > 0) {
      if (ActionOf(item)->menu() != SubMenuOf(item)) walk.unreachable.push_back(place + " (its sub-menu)");
      WalkItems(item, SubMenuOf(item), place, walk);
    } else {
      walk.commands.push_back({place, item, nullptr});
    }
  }
}

inline void CollectPopups(TControl* control, std::set<TPopupMenu*>& opened) {
  if (control->PopupMenu()) opened.insert(control->PopupMenu());
  if (auto* parent = dynamic_cast<TWinControl*>(control))
    for (int i = 0; i < parent->ControlCount(); ++i) CollectPopups(parent->Controls(i), opened);
}

}  // namespace walk_detail

// Walks a shown form's commands.
inline TCommandWalk WalkCommands(TCustomForm* form) {
  TCommandWalk walk;
  std::set<TPopupMenu*> opened;
  walk_detail::CollectPopups(form, opened);
  const auto* bar = WidgetOf(form)->findChild<QMenuBar*>();
  for (int i = 0; i < form->ComponentCount(); ++i) {
    TComponent* component = form->Components(i);
    if (auto* main = dynamic_cast<TMainMenu*>(component)) {
      if (main->Window() != form) walk.unreachable.push_back(main->Name() + " (not the form's menu bar)");
      walk_detail::WalkItems(main->Items(), bar, "", walk);
    } else if (auto* popup = dynamic_cast<TPopupMenu*>(component)) {
      if (!opened.count(popup)) walk.unreachable.push_back(popup->Name() + " (no control opens it)");
      walk_detail::WalkItems(popup->Items(), SubMenuOf(popup->Items()), popup->Name(), walk);
    } else if (auto* button = dynamic_cast<TToolButton*>(component); button && !button->IsSeparator()) {
      const std::string place = "tool bar > " + button->Name();
      TToolBar* toolBar = button->ToolBar();
      if (!toolBar || WidgetOf(button)->parentWidget() != WidgetOf(toolBar)) walk.unreachable.push_back(place);
      walk.commands.push_back({place, nullptr, button});
    }
  }
  return walk;
}

}  // namespace corvane::test
