#pragma once
// OpenDialog1 and SaveDialog1: file dialogs kept as components of the main
// window, with a filter in the toolkit's design form
// ("Trailcount INI File|trailcnt.ini|All Files|*.*"), a starting folder and the
// chosen file name. Execute shows the dialog modally and gives true when the
// user confirmed a file.

#include <QObject>
#include <QString>
#include <functional>

class TFile_Dialog : public QObject {
    Q_OBJECT
public:
    enum class Mode { Open, Save };
    TFile_Dialog(Mode mode, QObject* parent);

    QString Filter;
    QString InitialDir;
    QString FileName;

    bool Execute();

    // Tests answer the dialog: the function gets the dialog and gives the
    // chosen path, or an empty text for a cancelled dialog.
    using Answerer = std::function<QString(const TFile_Dialog&)>;
    static void Set_Answerer(Answerer answerer);

    Mode Dialog_Mode() const { return mode_; }

private:
    Mode mode_;
};

// "Name|pattern|Name|pattern" as the toolkit's name filters ("Name (pattern)").
QStringList Name_Filters(const QString& filter);
