#include "docs/documents.h"

#include "common/installed_layout.h"
#include "common/message_box.h"
#include "platform/files.h"
#include "platform/process.h"

#include <QFile>

namespace {

platform::Process_Service& Process()
{
    return platform::Use<platform::Process_Service>();
}

QString Executable_Path()
{
    return QFile::decodeName(Process().Executable_Path().c_str());
}

void Inform(const QString& text)
{
    Message_Dlg(text, Msg_Type::Information, Msg_Buttons::OK);
}

bool File_Exists(const QString& path)
{
    return platform::Use<platform::File_Service>().File_Exists(QFile::encodeName(path).toStdString());
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

QString Program_Folder()
{
    const QString executable = Executable_Path();
    return executable.left(executable.lastIndexOf(QLatin1Char('/')) + 1);
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
    Process().Start_Text_Editor(QFile::encodeName(path).toStdString());
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
