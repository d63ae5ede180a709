#include "Cli.h"

#include "CheckCommand.h"
#include "CopybookCommands.h"
#include "EditCommand.h"
#include "ViewCommand.h"

#include "codegen/CodeGenerator.h"
#include "codegen/WorkingStorage.h"
#include "editor/TextFile.h"
#include "model/Cp1252.h"
#include "model/FieldClause.h"
#include "model/FieldTree.h"
#include "project/ProjectFile.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace orvane::cli
{

namespace
{

// Deeper fields are not indented further, so that a hostile file cannot make `show` print
// gigabytes of blanks; their depth is written out instead.
constexpr int kMaxIndentDepth = 40;

const char kHelp[] =
    "Usage: orvane-cli COMMAND ...\n"
    "Turns Orvane project files (.qel) into fixed-format COBOL data-division code,\n"
    "and COBOL copybooks into project files and storage maps.\n"
    "\n"
    "Commands:\n"
    "  generate PROJECT.qel [-o OUT] [--eol crlf|lf]\n"
    "      Write the generated code, followed by one line end (CR LF unless --eol lf),\n"
    "      to standard output, or to OUT through a temporary file that replaces OUT\n"
    "      only when complete. The code is Windows-1252 text, like the project file.\n"
    "  show PROJECT.qel\n"
    "      List the fields in tree order, one per line, indented by depth, each with\n"
    "      its [From:To] positions and its clause text (UTF-8; the clause marker is\n"
    "      shown as \xC2\xA4).\n"
    "  append PROJECT.qel SOURCE.cbl\n"
    "      Insert the generated code behind the first WORKING-STORAGE SECTION. header\n"
    "      of SOURCE.cbl, keeping the file's line ends and encoding (UTF-8 when it is\n"
    "      valid UTF-8, otherwise Windows-1252). The file is replaced in one step.\n"
    "  import-copybook COPYBOOK [-o PROJECT.qel] [-I DIR]... [--source-format fixed|free]\n"
    "      Read the data description entries of a copybook or of a program's DATA\n"
    "      DIVISION and write them as a project file (COPYBOOK with .qel when -o is\n"
    "      not given; an existing file is then left alone). COPY statements are\n"
    "      expanded from the copybook's folder and the -I folders, like cobc.\n"
    "  map PROJECT.qel|COPYBOOK [--dialect default|ibm|mf] [--format table|csv|json]\n"
    "      [--record-length N] [-I DIR]...\n"
    "      List every item's storage as the compiler lays it out: level, name, first\n"
    "      byte (counted from 1 at the start of the record), last byte, length, usage\n"
    "      and picture, the slack bytes that SYNC adds, and each record's length.\n"
    "      --record-length checks each record against N bytes and names the field\n"
    "      that crosses it.\n";
const char kHelpTail[] =
    "  edit DATA --layout PROJECT.qel|COPYBOOK --record N --set FIELD=VALUE...\n"
    "      [--dry-run] [--layout-record NAME] and view's options but --format,\n"
    "      --records and --record\n"
    "      Set fields of record N (counted from 1) of DATA, read as view reads it;\n"
    "      NAME(i) names an OCCURS entry. Each value is checked against its field's\n"
    "      picture and usage, then encoded as the view command decodes it. The file\n"
    "      is replaced in one step, and only the bytes of the fields set change. A\n"
    "      refused value, an unknown field or a record past the end leaves the file\n"
    "      as it was. --dry-run shows the record's fields before and after instead.\n"
    "      --layout-record picks the layout's record, as --record does for view.\n"
    "      A new DEPENDING ON count moves the fields after its table: an RDW or line\n"
    "      record grows or shrinks with it, a fixed record keeps its length. In a vb\n"
    "      file, blocks whose records all stay are kept; a changed block is written\n"
    "      anew, split where it would pass the file's longest block. A damaged vb\n"
    "      file is not edited.\n"
    "  check PROJECT.qel [--exact-positions] [--cobc PROGRAM] [--cobc-options OPTIONS]\n"
    "      Check the generated code, inside a minimal program, with GnuCOBOL's\n"
    "      cobc -fsyntax-only. Its errors and warnings go to standard error with the\n"
    "      generated code's line numbers; the exit status is the compiler's, or 127\n"
    "      when it is not installed. OPTIONS is one argument, such as \"-std=ibm\".\n"
    "      Before them come the layout's warnings, by field: a level not greater than\n"
    "      its parent's, a group with a PICTURE, an elementary item without one, and\n"
    "      with --exact-positions a position tag that is not the field's storage.\n"
    "  --help      Show this text.\n"
    "  --version   Show the version.\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be read or written, the header\n"
    "is missing, a field has no storage or does not decode, a record has not the\n"
    "length asked for, a data file's size is not a multiple of it, its records\n"
    "are damaged or fit more than one format, or --records goes past its end,\n"
    "2 for a usage error.\n";

struct Streams {
    QIODevice &out;
    QIODevice &err;

    bool print(const QByteArray &bytes) { return out.write(bytes) == bytes.size(); }
    int fail(const QString &line, int status = kFailed)
    {
        err.write(line.toUtf8() + '\n');
        return status;
    }
    int usage(const QString &line)
    {
        return fail(QStringLiteral("orvane-cli: %1 (try orvane-cli --help)").arg(line), kUsage);
    }
};

// Positional arguments and options of one command.
struct Parsed {
    QStringList files;
    QString output;
    QString eol = QStringLiteral("crlf");
    QString error; // a usage error, if any
};

Parsed parse(const QStringList &args, bool allowGenerateOptions)
{
    Parsed p;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (optionsEnded || a == u"-" || !a.startsWith(u'-')) {
            p.files << a;
        } else if (a == u"--") {
            optionsEnded = true;
        } else if (allowGenerateOptions && (a == u"-o" || a == u"--eol")) {
            if (i + 1 >= args.size()) {
                p.error = QStringLiteral("option %1 needs a value").arg(a);
                return p;
            }
            (a == u"-o" ? p.output : p.eol) = args[++i];
        } else {
            p.error = QStringLiteral("unknown option %1").arg(a);
            return p;
        }
    }
    if (p.eol != u"crlf" && p.eol != u"lf")
        p.error = QStringLiteral("--eol takes crlf or lf, not %1").arg(p.eol);
    return p;
}

bool loadProject(FieldTree &tree, const QString &path, Streams &io)
{
    if (QFileInfo(path).isDir()) {
        io.fail(QStringLiteral("Cannot open %1: it is a folder").arg(path));
        return false;
    }
    const ProjectResult r = LoadNodes(tree, path);
    if (!r.ok()) {
        io.fail(r.message);
        return false;
    }
    return true;
}

int generate(const Parsed &p, Streams &io)
{
    if (p.files.size() != 1)
        return io.usage(QStringLiteral("generate takes one project file"));
    FieldTree tree;
    if (!loadProject(tree, p.files[0], io))
        return kFailed;
    QString code = GenerateCode(tree);
    if (!code.isEmpty())
        code += QStringLiteral("\r\n");
    if (p.eol == u"lf")
        code.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray bytes = cp1252::encode(code);
    if (p.output.isEmpty()) {
        if (!io.print(bytes))
            return io.fail(QStringLiteral("Cannot write the code: %1").arg(io.out.errorString()));
        return kOk;
    }
    const QFileInfo target(p.output);
    if (target.exists() && target == QFileInfo(p.files[0]))
        return io.fail(QStringLiteral("Cannot write %1: it is the project file").arg(p.output));
    if (!IsReplaceableFile(p.output)) {
        // A pipe or a device is written to as it is: replacing it would destroy it.
        QFile device(p.output);
        if (target.isDir() || !device.open(QIODevice::WriteOnly) ||
            device.write(bytes) != bytes.size())
            return io.fail(QStringLiteral("Cannot write %1: %2")
                               .arg(p.output, target.isDir() ? QStringLiteral("it is a folder")
                                                             : device.errorString()));
        return kOk;
    }
    QSaveFile file(p.output);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return io.fail(QStringLiteral("Cannot write %1: %2").arg(p.output, file.errorString()));
    return kOk;
}

int show(const Parsed &p, Streams &io)
{
    if (p.files.size() != 1)
        return io.usage(QStringLiteral("show takes one project file"));
    FieldTree tree;
    if (!loadProject(tree, p.files[0], io))
        return kFailed;
    QByteArray lines;
    const bool printed = forEachPreOrder(tree, [&](const FieldNode *n, int depth) {
        QString line(2 * (std::min(depth, kMaxIndentDepth) - 1), u' ');
        if (depth > kMaxIndentDepth)
            line += QStringLiteral("(depth %1) ").arg(depth);
        line += u'[' + n->tag() + QStringLiteral("] ");
        QString text = n->text();
        text.replace(ClauseMark, QChar(0x00A4));
        line += text;
        lines += line.toUtf8() + '\n';
        if (lines.size() > (1 << 20)) {
            if (!io.print(lines))
                return false;
            lines.clear();
        }
        return true;
    });
    if (!printed || !io.print(lines))
        return io.fail(QStringLiteral("Cannot write: %1").arg(io.out.errorString()));
    return kOk;
}

int append(const Parsed &p, Streams &io)
{
    if (p.files.size() != 2)
        return io.usage(QStringLiteral("append takes a project file and a COBOL source file"));
    const QString &sourcePath = p.files[1];
    FieldTree tree;
    if (!loadProject(tree, p.files[0], io))
        return kFailed;
    if (sourcePath.contains(u'*') || !FileExists(sourcePath))
        return io.fail(QStringLiteral("File %1 not found").arg(sourcePath));

    QFile in(sourcePath);
    const QFileInfo info(sourcePath);
    if (info.isDir())
        return io.fail(QStringLiteral("Cannot read %1: it is a folder").arg(sourcePath));
    if (!info.isFile())
        return io.fail(QStringLiteral("Cannot read %1: it is not a regular file").arg(sourcePath));
    // Writing through a temporary file would quietly lift the protection.
    if (!(info.permissions() & QFileDevice::WriteOwner))
        return io.fail(QStringLiteral("Cannot write %1: the file is read only").arg(sourcePath));
    if (!in.open(QIODevice::ReadOnly))
        return io.fail(QStringLiteral("Cannot read %1: %2").arg(sourcePath, in.errorString()));
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return io.fail(QStringLiteral("Cannot read %1: %2").arg(sourcePath, in.errorString()));
    in.close();

    // Keep the file's own encoding, byte order mark included.
    const DecodedText source = decodeText(bytes);
    const std::optional<QString> result =
        InsertAfterWorkingStorage(source.text, GenerateCode(tree));
    if (!result)
        return io.fail(QStringLiteral("WORKING-STORAGE SECTION. not found"));
    const QByteArray written = encodeText(*result, source.form, nullptr);

    QSaveFile file(sourcePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(written) != written.size() || !file.commit())
        return io.fail(QStringLiteral("Cannot write %1: %2").arg(sourcePath, file.errorString()));
    io.print("Append Successful\n");
    return kOk;
}

} // namespace

int run(const QStringList &arguments, QIODevice &out, QIODevice &err)
{
    Streams io{out, err};
    if (arguments.isEmpty())
        return io.usage(QStringLiteral("no command given"));
    const QString &command = arguments[0];
    if (command == u"--help" || command == u"-h" || command == u"help") {
        io.print(QByteArray(kHelp) + kViewHelp + kHelpTail);
        return kOk;
    }
    if (command == u"--version") {
        io.print(QByteArrayLiteral("orvane-cli " ORVANE_VERSION "\n"));
        return kOk;
    }
    if (command == u"import-copybook")
        return importCopybook(arguments, out, err);
    if (command == u"check")
        return checkProject(arguments, out, err);
    if (command == u"map")
        return storageMap(arguments, out, err);
    if (command == u"view")
        return viewData(arguments, out, err);
    if (command == u"edit")
        return editData(arguments, out, err);
    const bool isGenerate = command == u"generate";
    if (!isGenerate && command != u"show" && command != u"append")
        return io.usage(QStringLiteral("unknown command %1").arg(command));
    const Parsed p = parse(arguments, isGenerate);
    if (!p.error.isEmpty())
        return io.usage(p.error);
    if (isGenerate)
        return generate(p, io);
    if (command == u"show")
        return show(p, io);
    return append(p, io);
}

} // namespace orvane::cli
