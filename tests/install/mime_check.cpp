// Asks Qt's MIME database (the shared-mime-info cache the desktop reads, found
// through XDG_DATA_DIRS) for the type of files and compares it with the type
// expected. Each argument is one check:
//
//   FILE=TYPE           by name and content, as a file manager decides
//   content:FILE=TYPE   by content alone (the file's name is not looked at)
//   name:NAME=TYPE      by name alone (NAME need not exist)
//
// Prints one line per check and fails when any type differs.
#include <QCoreApplication>
#include <QFile>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: zebstat_mime_check [content:|name:]FILE=TYPE...\n", stderr);
        return 2;
    }
    QMimeDatabase db;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        QString check = QString::fromLocal8Bit(argv[i]);
        const qsizetype eq = check.lastIndexOf('=');
        if (eq <= 0) {
            std::fprintf(stderr, "bad check \"%s\"\n", argv[i]);
            return 2;
        }
        const QString expected = check.mid(eq + 1);
        QString file = check.left(eq);
        QMimeType found;
        if (file.startsWith("content:")) {
            file = file.mid(8);
            QFile f(file);
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(file));
                return 2;
            }
            found = db.mimeTypeForData(&f);
        } else if (file.startsWith("name:")) {
            file = file.mid(5);
            found = db.mimeTypeForFile(file, QMimeDatabase::MatchExtension);
        } else {
            found = db.mimeTypeForFile(file, QMimeDatabase::MatchDefault);
        }
        const bool ok = found.name() == expected;
        std::printf("%s %s: %s%s\n", ok ? "ok  " : "FAIL", qPrintable(check.left(eq)), qPrintable(found.name()),
                    ok ? "" : qPrintable(" (expected " + expected + ")"));
        if (!ok) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
