#include "CopybookCommands.h"
#include "Cli.h"

#include "cobol/CopybookReader.h"
#include "cobol/StorageMap.h"
#include "model/FieldClause.h"
#include "project/ProjectFile.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace orvane::cli
{

using namespace orvane::cobol;

namespace
{

struct Options {
    QStringList files;
    QString output;
    QStringList includeDirs;
    QString dialect = QStringLiteral("default");
    QString format = QStringLiteral("table");
    QString sourceFormat;
    qint64 recordLength = -1;
    QString error;
};

Options parse(const QStringList &args, const QStringList &valued)
{
    Options o;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (!a.startsWith(u'-') || a == u"-") {
            o.files << a;
            continue;
        }
        if (!valued.contains(a)) {
            o.error = QStringLiteral("unknown option %1").arg(a);
            return o;
        }
        if (i + 1 >= args.size()) {
            o.error = QStringLiteral("option %1 needs a value").arg(a);
            return o;
        }
        const QString &v = args[++i];
        if (a == u"-o") {
            o.output = v;
        } else if (a == u"-I") {
            o.includeDirs << v;
        } else if (a == u"--dialect") {
            o.dialect = v;
        } else if (a == u"--format") {
            o.format = v;
        } else if (a == u"--source-format") {
            o.sourceFormat = v;
        } else if (a == u"--record-length") {
            bool ok = false;
            o.recordLength = v.toLongLong(&ok);
            if (!ok || o.recordLength < 1) {
                o.error = QStringLiteral("--record-length takes a number of bytes, not %1").arg(v);
                return o;
            }
        }
    }
    return o;
}

int usage(QIODevice &err, const QString &line)
{
    err.write(QStringLiteral("orvane-cli: %1 (try orvane-cli --help)\n").arg(line).toUtf8());
    return kUsage;
}

int failed(QIODevice &err, const QString &line)
{
    err.write(line.toUtf8() + '\n');
    return kFailed;
}

// A map or a view of a copybook with a member missing would be wrong without a word, so those
// require every COPY; an import keeps the note and what it could read.
bool readCopybook(const QString &path, const Options &o, FieldTree &tree, ReadResult &read,
                  QIODevice &err, bool copiesRequired = true)
{
    ReadOptions options;
    options.includeDirs = o.includeDirs;
    options.copiesRequired = copiesRequired;
    if (o.sourceFormat == u"fixed")
        options.format = SourceFormat::Fixed;
    else if (o.sourceFormat == u"free")
        options.format = SourceFormat::Free;
    read = ReadDataDescriptionFile(path, options);
    if (read.notDataDescription) {
        failed(err, read.errorText());
        return false;
    }
    if (!read.ok()) {
        failed(err, QStringLiteral("Cannot import %1: %2").arg(path, read.errorText()));
        return false;
    }
    ImportEntries(tree, read);
    return true;
}

QString occursText(const StorageItem &item)
{
    if (item.occursMax == 0)
        return {};
    if (item.occursMin == item.occursMax && item.dependingOn.isEmpty())
        return QString::number(item.occursMax);
    return QStringLiteral("%1-%2").arg(item.occursMin).arg(item.occursMax);
}

QString usageText(const StorageItem &item)
{
    switch (item.category) {
    case Category::Group:
        return QStringLiteral("GROUP");
    case Category::Renames:
        return QStringLiteral("RENAMES");
    default:
        return UsageText(item);
    }
}

struct Row {
    QString level;
    QString name;
    qint64 offset = 0;
    qint64 length = 0;
    QString usage;
    QString picture;
    QString occurs;
    bool slack = false;
};

// The rows of one record: its items with the slack bytes in their places; 88s have no storage.
std::vector<Row> rowsOf(const StorageMap &map, int record)
{
    std::vector<Row> rows;
    for (const StorageItem &item : map.items) {
        if (item.record != record || item.category == Category::Condition)
            continue;
        if (item.slackBefore > 0)
            rows.push_back({QString(), QStringLiteral("(slack bytes)"),
                            item.offset - item.slackBefore, item.slackBefore, QString(), QString(),
                            QString(), true});
        rows.push_back({QStringLiteral("%1").arg(item.level, 2, 10, QLatin1Char('0')),
                        item.name.isEmpty() ? QStringLiteral("(unnamed)") : item.name.toString(),
                        item.offset, item.length, usageText(item), item.picture, occursText(item),
                        false});
        if (item.slackAfter > 0)
            rows.push_back({QString(), QStringLiteral("(slack bytes per entry)"),
                            item.offset + item.entryLength - item.slackAfter, item.slackAfter,
                            QString(), QString(), QString(), true});
    }
    return rows;
}

QString csvField(const QString &s)
{
    if (!s.contains(u',') && !s.contains(u'"'))
        return s;
    return u'"' + QString(s).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QByteArray render(const StorageMap &map, const QString &format, Dialect dialect)
{
    QByteArray out;
    if (format == u"json") {
        QJsonArray records;
        for (size_t r = 0; r < map.records.size(); ++r) {
            QJsonArray items;
            for (const Row &row : rowsOf(map, int(r))) {
                QJsonObject o;
                o[QStringLiteral("level")] = row.level;
                o[QStringLiteral("name")] = row.name;
                o[QStringLiteral("offset")] = row.offset + 1;
                o[QStringLiteral("length")] = row.length;
                o[QStringLiteral("end")] = row.offset + row.length;
                o[QStringLiteral("usage")] = row.usage;
                o[QStringLiteral("picture")] = row.picture;
                o[QStringLiteral("occurs")] = row.occurs;
                if (row.slack)
                    o[QStringLiteral("slack")] = true;
                items.append(o);
            }
            QJsonObject rec;
            rec[QStringLiteral("name")] = map.records[r].name;
            rec[QStringLiteral("length")] = map.records[r].length;
            rec[QStringLiteral("items")] = items;
            records.append(rec);
        }
        QJsonObject root;
        root[QStringLiteral("dialect")] = DialectName(dialect);
        root[QStringLiteral("records")] = records;
        return QJsonDocument(root).toJson(QJsonDocument::Indented);
    }
    static const QRegularExpression trailingBlanks(QStringLiteral(" +$"));
    const bool csv = format == u"csv";
    if (csv)
        out += "record,level,name,offset,length,end,usage,picture,occurs\n";
    for (size_t r = 0; r < map.records.size(); ++r) {
        const StorageRecord &rec = map.records[r];
        const std::vector<Row> rows = rowsOf(map, int(r));
        if (!csv) {
            int width = 4;
            for (const Row &row : rows)
                width = std::max(width, int(row.name.size()));
            width = std::min(width, 40);
            out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
                       .arg(QStringLiteral("LVL"), -3)
                       .arg(QStringLiteral("NAME"), -width)
                       .arg(QStringLiteral("OFFSET"), 8)
                       .arg(QStringLiteral("END"), 8)
                       .arg(QStringLiteral("LENGTH"), 8)
                       .arg(QStringLiteral("USAGE"), -8)
                       .arg(QStringLiteral("OCCURS"), -7)
                       .arg(QStringLiteral("PICTURE"))
                       .toUtf8();
            for (const Row &row : rows)
                out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                           .arg(row.level, -3)
                           .arg(row.name, -width)
                           .arg(row.offset + 1, 8)
                           .arg(row.offset + row.length, 8)
                           .arg(row.length, 8)
                           .arg(row.usage, -8)
                           .arg(row.occurs, -7)
                           .arg(row.picture)
                           .remove(trailingBlanks)
                           .toUtf8() +
                       '\n';
            out += QStringLiteral("Record %1: %2 bytes (%3)\n\n")
                       .arg(rec.name.isEmpty() ? QStringLiteral("(unnamed)") : rec.name)
                       .arg(rec.length)
                       .arg(DialectName(dialect))
                       .toUtf8();
            continue;
        }
        for (const Row &row : rows)
            out += QStringList{csvField(rec.name),
                               row.level,
                               csvField(row.name),
                               QString::number(row.offset + 1),
                               QString::number(row.length),
                               QString::number(row.offset + row.length),
                               row.usage,
                               csvField(row.picture),
                               row.occurs}
                       .join(u',')
                       .toUtf8() +
                   '\n';
    }
    return out;
}

// One line per record: its length against the expected one, and the field at the boundary.
// A 77 is a single item, no record a file could hold.
QStringList checkLengths(const StorageMap &map, qint64 expected, bool &allMatch)
{
    QStringList lines;
    allMatch = true;
    for (size_t r = 0; r < map.records.size(); ++r) {
        const StorageRecord &rec = map.records[r];
        if (rec.level == 77)
            continue;
        const QString name = rec.name.isEmpty() ? QStringLiteral("(unnamed)") : rec.name;
        if (rec.length == expected) {
            lines << QStringLiteral("Record %1: %2 bytes, as expected").arg(name).arg(rec.length);
            continue;
        }
        allMatch = false;
        if (rec.length < expected) {
            lines << QStringLiteral("Record %1: %2 bytes, %3 short of %4")
                         .arg(name)
                         .arg(rec.length)
                         .arg(expected - rec.length)
                         .arg(expected);
            continue;
        }
        QString culprit;
        for (const StorageItem &item : map.items) {
            if (item.record != int(r) || item.category == Category::Group ||
                item.category == Category::Condition || item.category == Category::Renames ||
                item.length == 0)
                continue;
            if (item.offset + item.length > expected) {
                culprit = QStringLiteral(": %1 (bytes %2-%3) %4 byte %5")
                              .arg(item.name.isEmpty() ? QStringLiteral("(unnamed)") : item.name)
                              .arg(item.offset + 1)
                              .arg(item.offset + item.length)
                              .arg(item.offset >= expected ? QStringLiteral("lies beyond")
                                                           : QStringLiteral("crosses"))
                              .arg(expected);
                break;
            }
        }
        lines << QStringLiteral("Record %1: %2 bytes, %3 more than %4%5")
                     .arg(name)
                     .arg(rec.length)
                     .arg(rec.length - expected)
                     .arg(expected)
                     .arg(culprit);
    }
    return lines;
}

} // namespace

int importCopybook(const QStringList &arguments, QIODevice &out, QIODevice &err)
{
    const Options o = parse(
        arguments, {QStringLiteral("-o"), QStringLiteral("-I"), QStringLiteral("--source-format")});
    if (!o.error.isEmpty())
        return usage(err, o.error);
    if (o.files.size() != 1)
        return usage(err, QStringLiteral("import-copybook takes one copybook"));
    if (!o.sourceFormat.isEmpty() && o.sourceFormat != u"fixed" && o.sourceFormat != u"free")
        return usage(
            err, QStringLiteral("--source-format takes fixed or free, not %1").arg(o.sourceFormat));
    const QString &source = o.files[0];
    QString target = o.output;
    if (target.isEmpty()) {
        const QFileInfo info(source);
        target = info.dir().filePath(info.completeBaseName() + QStringLiteral(".qel"));
        if (QFileInfo::exists(target))
            return failed(
                err, QStringLiteral("%1 exists already; name the project with -o").arg(target));
    }
    if (QFileInfo(target) == QFileInfo(source))
        return failed(err, QStringLiteral("Cannot write %1: it is the copybook").arg(target));
    FieldTree tree;
    ReadResult read;
    if (!readCopybook(source, o, tree, read, err, false))
        return kFailed;
    // A layout may hold them, a project record cannot: write nothing rather than a part.
    if (const QStringList tooLong = TooLongToSave(read); !tooLong.isEmpty())
        return failed(err, QStringLiteral("Cannot write %1: too long for a project record (%2 "
                                          "characters): %3")
                               .arg(target)
                               .arg(MaxClauseLength)
                               .arg(tooLong.join(QStringLiteral(", "))));
    const ProjectResult saved = SaveNodes(tree, target);
    if (!saved.ok())
        return failed(err, QStringLiteral("Cannot write %1: %2").arg(target, saved.message));
    out.write(
        (ImportSummary(read, tree.count()) + QStringLiteral("\nWrote %1\n").arg(target)).toUtf8());
    return kOk;
}

bool loadLayout(const QString &path, const QStringList &includeDirs, FieldTree &tree,
                QIODevice &err)
{
    if (path.endsWith(QStringLiteral(".qel"), Qt::CaseInsensitive)) {
        if (QFileInfo(path).isDir()) {
            failed(err, QStringLiteral("Cannot open %1: it is a folder").arg(path));
            return false;
        }
        const ProjectResult loaded = LoadNodes(tree, path);
        if (!loaded.ok())
            failed(err, loaded.message);
        return loaded.ok();
    }
    Options o;
    o.includeDirs = includeDirs;
    ReadResult read;
    return readCopybook(path, o, tree, read, err);
}

int storageMap(const QStringList &arguments, QIODevice &out, QIODevice &err)
{
    const Options o = parse(
        arguments, {QStringLiteral("-I"), QStringLiteral("--dialect"), QStringLiteral("--format"),
                    QStringLiteral("--record-length"), QStringLiteral("--source-format")});
    if (!o.error.isEmpty())
        return usage(err, o.error);
    if (o.files.size() != 1)
        return usage(err, QStringLiteral("map takes one project file or copybook"));
    Dialect dialect = Dialect::Default;
    if (!DialectFromName(o.dialect, dialect))
        return usage(err,
                     QStringLiteral("--dialect takes default, ibm or mf, not %1").arg(o.dialect));
    if (o.format != u"table" && o.format != u"csv" && o.format != u"json")
        return usage(err,
                     QStringLiteral("--format takes table, csv or json, not %1").arg(o.format));
    const QString &path = o.files[0];
    FieldTree tree;
    if (path.endsWith(QStringLiteral(".qel"), Qt::CaseInsensitive)) {
        if (QFileInfo(path).isDir())
            return failed(err, QStringLiteral("Cannot open %1: it is a folder").arg(path));
        const ProjectResult loaded = LoadNodes(tree, path);
        if (!loaded.ok())
            return failed(err, loaded.message);
    } else {
        ReadResult read;
        if (!readCopybook(path, o, tree, read, err))
            return kFailed;
    }
    const StorageMap map = BuildStorageMap(tree, dialect);
    // Constants alone (or an empty project) hold no storage: say so rather than print nothing.
    if (map.records.empty())
        return failed(err, QStringLiteral("%1 holds no record with storage").arg(path));
    QByteArray text = render(map, o.format, dialect);
    bool allMatch = true;
    if (o.recordLength > 0)
        text += (checkLengths(map, o.recordLength, allMatch).join(u'\n') + u'\n').toUtf8();
    if (out.write(text) != text.size())
        return failed(err, QStringLiteral("Cannot write the map: %1").arg(out.errorString()));
    for (const QString &line : map.errors)
        err.write(line.toUtf8() + '\n');
    return map.errors.isEmpty() && allMatch ? kOk : kFailed;
}

} // namespace orvane::cli
