#pragma once
// The start of a printed word puzzle: the printer check, then a portrait
// letter page in Courier New with the two header lines.
#include <QString>

class Printer;
class QWidget;

// Nothing when the child cancels the printer check.
Printer* startPuzzlePage(QWidget* owner, const QString& header, const QString& instructions);
