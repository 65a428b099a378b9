#pragma once
// The draws update: checks the connection and the download sites, lets the user choose the games and
// opens the download window with them.

class QWidget;

void UpdateDrawsFromInternet(QWidget *Owner);
