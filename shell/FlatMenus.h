#pragma once
// The flat look a form of the program gives its menus.

class QWidget;
class TXPMenu;

// A new, active TXPMenu of Form as every form of the program sets it: the menu bar and the pop-up menus
// only, the system colours, a 24-pixel icon strip, the selection box, "Tahoma" 8 points. Call it once the
// form's menus exist.
TXPMenu *NewFormXPMenu(QWidget *Form);
