#include "docs/documents.h"

#include "common/installed_layout.h"
#include "common/message_box.h"
#include "platform/files.h"
#include "platform/process.h"

#include <QFileInfo>

namespace {

platform::Process_Service& Process()
{
    return platform::Use<platform::Process_Service>();
}

// The platform's paths are UTF-8 on every system; the ANSI code page that
// QFile::decodeName assumes on Windows would garble a folder beyond ASCII.
QString Executable_Path()
{
    return QString::fromStdString(Process().Executable_Path());
}

void Inform(const QString& text)
{
    Message_Dlg(text, Msg_Type::Information, Msg_Buttons::OK);
}

bool File_Exists(const QString& path)
{
    return platform::Use<platform::File_Service>().File_Exists(path.toStdString());
}

// A document beside the program wins; an installed copy finds its own in the
// data folder. With neither, the path beside the program, so that the
// messages still speak of the program's folder.
QString Document_Path(const QString& file_name)
{
    const QString beside = Program_Folder() + file_name;
    if (File_Exists(beside))
        return beside;
    const QString data_folder = Installed_Data_Folder();
    if (!data_folder.isEmpty()) {
        const QString installed = data_folder + QLatin1Char('/') + file_name;
        if (File_Exists(installed))
            return installed;
    }
    return beside;
}

} // namespace

// The file name as the system splits a path (on Windows after either "\" or
// "/"); the folder keeps the separators it was given.
QString Program_Folder()
{
    const QString executable = Executable_Path();
    return executable.left(executable.size() - QFileInfo(executable).fileName().size());
}

QString Readme_Path()
{
    const QString executable = Executable_Path();
    if (executable.isEmpty())
        return {};
    const QString file_name = executable.mid(Program_Folder().size());
    return Document_Path(file_name.left(file_name.indexOf(QLatin1Char('.'))) + QStringLiteral(".txt"));
}

QString Catalogue_Path()
{
    return Document_Path(QStringLiteral("catalog.txt"));
}

void Open_In_Notepad(const QString& path)
{
    if (!Process().Text_Editor_Present()) {
        Inform(QStringLiteral("Windows Notepad could not be found."));
        return;
    }
    if (path.isEmpty()) {
        Inform(QStringLiteral("No Log File to View."));
        return;
    }
    // The whole path is one argument, whatever its length or characters.
    Process().Start_Text_Editor(path.toStdString());
}

void Open_Catalogue(const QString& product_title)
{
    const QString catalogue = Catalogue_Path();
    if (File_Exists(catalogue)) {
        Open_In_Notepad(catalogue);
        return;
    }
    Inform(QStringLiteral("Kessimer's Shareware Catalog is not in the same directory as ") + product_title
           + QStringLiteral(".  ") + QStringLiteral("The required file 'catalog.txt' was included in the ")
           + QStringLiteral("distribution ZIP file.  Please unzip this file and try again."));
}
