#pragma once
// The About dialog: program name, version, rights and a comment.

#include <QDialog>

class QFrame;
class QLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox();

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Comments = nullptr;

    // Shows the dialog modeless and brings it to the front; the first showing
    // centres it in the work area, later ones keep its place.
    void showAbout();

    // Declared with the dialog and wired to no control.
    void OKButtonClick() {}

private:
    bool placed_ = false;
};

extern TAboutBox* AboutBox;
