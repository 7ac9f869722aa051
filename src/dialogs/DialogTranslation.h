#pragma once

class QWidget;

// Translates the design texts of one of the shared dialogs (domain "dialogs")
// once, when it is created.
void TranslateDialog(QWidget *dialog);
