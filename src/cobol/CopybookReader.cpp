#include "CopybookReader.h"

#include "CopyExpansion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace orvane::cobol
{

namespace
{

// Nested COPY deeper than this is a loop the names did not reveal.
constexpr int kMaxCopyDepth = 20;
// Copybooks larger than this are no copybooks.
constexpr qint64 kMaxCopybookBytes = qint64(256) << 20;

bool isDataSection(QStringView w)
{
    return w == u"WORKING-STORAGE" || w == u"LOCAL-STORAGE" || w == u"LINKAGE" || w == u"FILE";
}

struct Source {
    TokenizedSource text;
    size_t pos = 0;
    QString name; // for messages
    QString path; // canonical, to catch a copybook that copies itself
    QString dir;  // where its own COPY statements look first
};

class Reader
{
public:
    Reader(const ReadOptions &options, ReadResult &result) : options_(options), r_(result) {}

    void run(Source main);

private:
    Source &top() { return sources_.back(); }
    const Token *peek(size_t ahead = 0)
    {
        Source &s = top();
        return s.pos + ahead < s.text.tokens.size() ? &s.text.tokens[s.pos + ahead] : nullptr;
    }
    // The word `ahead` tokens on, upper case in `buffer`; empty for anything else.
    QStringView word(WordBuffer &buffer, size_t ahead = 0)
    {
        const Token *t = peek(ahead);
        return t && t->kind == TokenKind::Word ? UpperWord(t->text, buffer) : QStringView();
    }
    void fail(const QString &message, const Token *at)
    {
        r_.error = message;
        r_.errorFile = top().name;
        r_.errorLine = at ? at->line : 0;
        r_.errorColumn = at ? at->column : 0;
    }
    // Moves behind the next period; false when the text ends first.
    bool skipSentence()
    {
        Source &s = top();
        while (s.pos < s.text.tokens.size())
            if (s.text.tokens[s.pos++].kind == TokenKind::Period)
                return true;
        return false;
    }
    void copy();
    void exec();
    void replace();
    void include(const QString &name, const QString &library, const Token *at,
                 const std::vector<Replacement> &replacing);
    void entry();
    QString findCopybook(const QString &name, const QString &library);
    // The index of the period that ends the statement starting here, or the end of the text.
    size_t periodAfter(size_t from)
    {
        const std::vector<Token> &tokens = top().text.tokens;
        while (from < tokens.size() && tokens[from].kind != TokenKind::Period)
            ++from;
        return from;
    }

    const ReadOptions &options_;
    ReadResult &r_;
    std::vector<Source> sources_;
    Constants constants_;
    std::vector<Replacement> replace_; // the REPLACE statement in force
};

void Reader::run(Source main)
{
    sources_.push_back(std::move(main));
    // A copybook is all data description; a program's divisions and sections say where its
    // data description is.
    bool inData = true;
    bool inProcedure = false;
    WordBuffer wordBuffer;
    WordBuffer nextBuffer;
    while (r_.ok()) {
        if (top().pos >= top().text.tokens.size()) {
            if (sources_.size() == 1)
                return;
            sources_.pop_back();
            continue;
        }
        const Token *t = peek();
        const QStringView w = word(wordBuffer);
        const QStringView next = word(nextBuffer, 1);
        if (t->kind == TokenKind::Period) {
            ++top().pos;
        } else if (w == u"COPY" && !inProcedure) {
            copy();
        } else if (w == u"REPLACE" && !inProcedure) {
            replace();
        } else if (next == u"DIVISION") {
            inProcedure = w == u"PROCEDURE";
            inData = false;
            skipSentence();
        } else if (next == u"SECTION" && !inProcedure) {
            inData = isDataSection(w);
            skipSentence();
        } else if (!inData) {
            ++top().pos;
        } else if (w == u"FD" || w == u"SD" || w == u"RD" || w == u"CD") {
            skipSentence(); // the records that follow are ordinary 01 entries
        } else if (w == u"EXEC") {
            exec();
        } else if (IsLevelWord(w)) {
            entry();
        } else if (sources_.size() == 1 && top().pos == 0) {
            r_.notDataDescription = true;
            fail(QStringLiteral("it starts with '%1', not with a level number")
                     .arg(t->text.left(20)),
                 t);
        } else {
            fail(QStringLiteral("expected a level number, found '%1'").arg(t->text), t);
        }
    }
}

void Reader::entry()
{
    Source &s = top();
    const size_t begin = s.pos;
    size_t end = begin;
    while (end < s.text.tokens.size() && s.text.tokens[end].kind != TokenKind::Period)
        ++end;
    if (end == s.text.tokens.size()) {
        fail(QStringLiteral("the entry does not end with a period"), &s.text.tokens[begin]);
        return;
    }
    DataEntry e;
    size_t at = begin;
    const QString message = ParseEntry(s.text.tokens, begin, end, e, at, &constants_);
    if (!message.isEmpty()) {
        fail(message, &s.text.tokens[at]);
        return;
    }
    e.line = s.text.tokens[begin].line;
    e.column = s.text.tokens[begin].column;
    if (sources_.size() > 1)
        e.file = s.name;
    if (e.constant)
        constants_.insert(e.name, e.constantValue);
    r_.entries.push_back(std::move(e));
    s.pos = end + 1;
}

QString Reader::findCopybook(const QString &name, const QString &library)
{
    QStringList dirs;
    if (!top().dir.isEmpty())
        dirs << top().dir;
    dirs << options_.includeDirs;
    static const char *const suffixes[] = {"", ".cpy", ".CPY", ".cob", ".COB", ".cbl", ".CBL"};
    // COPY name OF library looks in the library's folder first, then as if none were named.
    for (const QString &sub : {library, QString()}) {
        if (sub.isNull() && !library.isNull())
            continue;
        for (const QString &dir : dirs) {
            const QDir folder(sub.isEmpty() ? dir : QDir(dir).filePath(sub));
            for (const QString &base : {name, name.toLower()}) {
                for (const char *suffix : suffixes) {
                    const QFileInfo info(folder, base + QLatin1String(suffix));
                    if (info.isFile())
                        return info.canonicalFilePath();
                }
            }
        }
    }
    return {};
}

// The name a COPY or INCLUDE gives, without the quotes of a literal.
QString memberName(const Token &t)
{
    const QString name = t.text.toString();
    return t.kind == TokenKind::Literal ? name.mid(1, name.size() - 2) : name;
}

void Reader::copy()
{
    const Token *at = peek();
    ++top().pos;
    const Token *nameToken = peek();
    if (!nameToken || nameToken->kind == TokenKind::Period) {
        fail(QStringLiteral("COPY needs the name of a copybook"), at);
        return;
    }
    const QString name = memberName(*nameToken);
    ++top().pos;
    QString library;
    WordBuffer buffer;
    const QStringView of = word(buffer);
    if (of == u"OF" || of == u"IN") {
        const Token *lib = peek(1);
        if (!lib || lib->kind == TokenKind::Period) {
            fail(QStringLiteral("COPY %1 %2 needs the name of a library").arg(name, of), at);
            return;
        }
        library = memberName(*lib);
        top().pos += 2;
    }
    const size_t end = periodAfter(top().pos);
    if (end == top().text.tokens.size()) {
        fail(QStringLiteral("the COPY statement does not end with a period"), at);
        return;
    }
    std::vector<Replacement> replacing;
    if (word(buffer) == u"SUPPRESS")
        ++top().pos;
    if (word(buffer) == u"REPLACING") {
        size_t pos = top().pos + 1;
        if (QString m = ParseReplacing(top().text.tokens, pos, end, replacing); !m.isEmpty()) {
            fail(m, &top().text.tokens[std::min(pos, end)]);
            return;
        }
    }
    top().pos = end + 1;
    include(name, library, at, replacing);
}

void Reader::include(const QString &name, const QString &library, const Token *at,
                     const std::vector<Replacement> &replacing)
{
    const int line = at->line;
    const QString path = findCopybook(name, library);
    if (path.isEmpty() && options_.copiesRequired) {
        fail(QStringLiteral("COPY %1 was not found").arg(name), at);
        return;
    }
    if (path.isEmpty()) {
        r_.notes << QStringLiteral("Line %1: COPY %2 was not found and not expanded")
                        .arg(line)
                        .arg(name);
        return;
    }
    for (const Source &open : sources_) {
        if (open.path == path) {
            fail(QStringLiteral("COPY %1 copies itself").arg(name), at);
            return;
        }
    }
    if (sources_.size() > kMaxCopyDepth) {
        fail(QStringLiteral("COPY %1 is nested too deeply").arg(name), at);
        return;
    }
    QFile file(path);
    if (file.size() > kMaxCopybookBytes || !file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read the copybook %1").arg(path), at);
        return;
    }
    Source s;
    s.text = Tokenize(DecodeSource(file.readAll()), options_.format);
    s.name = QFileInfo(path).fileName();
    s.path = path;
    s.dir = QFileInfo(path).absolutePath();
    r_.commentLines += s.text.commentLines;
    if (!s.text.ok()) {
        r_.error = s.text.error;
        r_.errorFile = s.name;
        r_.errorLine = s.text.errorLine;
        r_.errorColumn = s.text.errorColumn;
        return;
    }
    // The COPY's own REPLACING first, then the REPLACE statement in force.
    ApplyReplacing(s.text, 0, replacing, false);
    ApplyReplacing(s.text, 0, replace_, true);
    sources_.push_back(std::move(s));
}

// EXEC SQL INCLUDE brings a member in as COPY does; DECLARE TABLE and the other blocks hold
// no data description.
void Reader::exec()
{
    const Token *at = peek();
    const int line = at->line;
    WordBuffer a, b;
    const bool include = word(a, 1) == u"SQL" && word(b, 2) == u"INCLUDE";
    const bool declare = word(a, 1) == u"SQL" && word(b, 2) == u"DECLARE";
    const Token *nameToken = include ? peek(3) : nullptr;
    const QString name = nameToken ? memberName(*nameToken) : QString();
    Source &s = top();
    size_t end = s.pos;
    WordBuffer buffer;
    while (end < s.text.tokens.size() && word(buffer, end - s.pos) != u"END-EXEC")
        ++end;
    if (end == s.text.tokens.size()) {
        fail(QStringLiteral("the EXEC block has no END-EXEC"), at);
        return;
    }
    s.pos = end + 1;
    if (include && nameToken && nameToken->kind != TokenKind::Period) {
        if (name.compare(QLatin1String("SQLCA"), Qt::CaseInsensitive) == 0 ||
            name.compare(QLatin1String("SQLDA"), Qt::CaseInsensitive) == 0)
            r_.notes << QStringLiteral("Line %1: EXEC SQL INCLUDE %2 was left out (the "
                                       "precompiler supplies it)")
                            .arg(line)
                            .arg(name.toUpper());
        else
            this->include(name, QString(), at, {});
    } else if (!declare) {
        r_.notes << QStringLiteral("Line %1: an EXEC block was left out").arg(line);
    }
}

// REPLACE ... . changes the text after it up to the next REPLACE; REPLACE OFF ends it.
void Reader::replace()
{
    const Token *at = peek();
    const size_t end = periodAfter(top().pos);
    if (end == top().text.tokens.size()) {
        fail(QStringLiteral("the REPLACE statement does not end with a period"), at);
        return;
    }
    WordBuffer buffer;
    replace_.clear();
    if (word(buffer, 1) != u"OFF") {
        size_t pos = top().pos + 1;
        if (QString m = ParseReplacing(top().text.tokens, pos, end, replace_); !m.isEmpty()) {
            fail(m, &top().text.tokens[std::min(pos, end)]);
            return;
        }
    }
    top().pos = end + 1;
    ApplyReplacing(top().text, top().pos, replace_, true);
}

// Whether an item of the record from `start` up to `end` bears the name.
bool inRecord(const ReadResult &r, int start, int end, const QString &name)
{
    for (int j = start + 1; j < end; ++j) {
        const DataEntry &e = r.entries[size_t(j)];
        if (e.name == name && e.level != 88 && e.level != 66 && !e.constant)
            return true;
    }
    return false;
}

// Places every entry under its parent by the level numbers, and checks what COBOL asks of the
// structure. Returns the index of the entry at fault, or -1.
int buildStructure(ReadResult &r, QString &message)
{
    const int n = int(r.entries.size());
    r.parents.assign(size_t(n), -1);
    std::vector<int> open; // the chain of items that may still get subordinates
    std::vector<int> lastChild(size_t(n) + 1, -1); // per parent (n: the top level)
    std::vector<int> previous(size_t(n), -1);      // the sibling before each entry
    std::vector<char> hasChildren(size_t(n), 0);
    int lastData = -1;
    bool sawRecord = false;
    int recordStart = 0;
    for (int i = 0; i < n; ++i) {
        const DataEntry &e = r.entries[size_t(i)];
        int parent = -1;
        if (e.constant)
            continue; // no storage, no place in a record
        if (e.level == 88) {
            if (lastData < 0 || r.entries[size_t(lastData)].level == 66) {
                message = QStringLiteral("a condition (88) must follow the item it tests");
                return i;
            }
            r.parents[size_t(i)] = lastData;
            continue;
        }
        if (e.level == 66) {
            if (!sawRecord) {
                message = QStringLiteral("a level-66 entry must follow a record");
                return i;
            }
            for (const QString &name : {e.renames, e.renamesThru}) {
                if (!name.isEmpty() && !inRecord(r, recordStart, i, name)) {
                    message = QStringLiteral("RENAMES %1: no such item in the record before it")
                                  .arg(name);
                    return i;
                }
            }
            open.clear();
        } else if (e.level == 1 || e.level == 77) {
            open.clear();
            sawRecord = true;
            recordStart = i;
            if (e.level == 1)
                open.push_back(i);
        } else {
            while (!open.empty() && r.entries[size_t(open.back())].level >= e.level)
                open.pop_back();
            if (!open.empty()) {
                parent = open.back();
            } else if (sawRecord) {
                message = QStringLiteral("level %1 has no group above it")
                              .arg(e.level, 2, 10, QLatin1Char('0'));
                return i;
            }
            open.push_back(i);
        }
        if (parent >= 0) {
            const DataEntry &p = r.entries[size_t(parent)];
            if (!p.picture.isEmpty()) {
                message = QStringLiteral("%1 is an elementary item and cannot hold %2")
                              .arg(p.name.isEmpty() ? QStringLiteral("the item before") : p.name,
                                   e.name.isEmpty() ? QStringLiteral("this item") : e.name);
                return i;
            }
            hasChildren[size_t(parent)] = 1;
        }
        const size_t slot = parent >= 0 ? size_t(parent) : size_t(n);
        previous[size_t(i)] = lastChild[slot];
        lastChild[slot] = i;
        r.parents[size_t(i)] = parent;
        if (!e.redefines.isEmpty()) {
            int base = previous[size_t(i)];
            while (base >= 0 && r.entries[size_t(base)].redefines == e.redefines)
                base = previous[size_t(base)];
            if (base < 0 || r.entries[size_t(base)].name != e.redefines ||
                r.entries[size_t(base)].level != e.level) {
                message = QStringLiteral("REDEFINES %1: %1 must be the item before, at the same "
                                         "level")
                              .arg(e.redefines);
                return i;
            }
        }
        lastData = i;
    }
    // A group's usage passes down: a BINARY-LONG group's items need no PICTURE.
    std::vector<int> usageFrom(size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        const DataEntry &e = r.entries[size_t(i)];
        const int p = r.parents[size_t(i)];
        usageFrom[size_t(i)] = e.usageGiven || p < 0 ? i : usageFrom[size_t(p)];
        const DataEntry &u = r.entries[size_t(usageFrom[size_t(i)])];
        if (e.level == 88 || e.level == 66 || e.constant || hasChildren[size_t(i)] ||
            !e.picture.isEmpty() || HasUsageSize(u.usage, u.usageDetail))
            continue;
        message = QStringLiteral("%1 has neither a PICTURE nor subordinate items")
                      .arg(e.name.isEmpty() ? QStringLiteral("the item") : e.name);
        return i;
    }
    return -1;
}

} // namespace

QString ReadResult::errorText() const
{
    if (ok())
        return {};
    if (notDataDescription)
        return QStringLiteral("%1 is not a COBOL data description: %2").arg(errorFile, error);
    if (errorLine == 0) // the file itself could not be read
        return errorFile.isEmpty() ? error : QStringLiteral("%1: %2").arg(errorFile, error);
    if (errorFile.isEmpty())
        return QStringLiteral("Line %1, column %2: %3").arg(errorLine).arg(errorColumn).arg(error);
    return QStringLiteral("%1:%2:%3: %4").arg(errorFile).arg(errorLine).arg(errorColumn).arg(error);
}

ReadResult ReadDataDescriptions(const QString &text, const ReadOptions &options,
                                const QString &name)
{
    ReadResult r;
    Source main;
    main.text = Tokenize(text, options.format);
    main.name = name;
    main.dir = options.baseDir;
    r.commentLines = main.text.commentLines;
    if (!main.text.ok()) {
        r.error = main.text.error;
        r.errorFile = name;
        r.errorLine = main.text.errorLine;
        r.errorColumn = main.text.errorColumn;
        return r;
    }
    // One entry per period at most, so that a large copybook's entries never move.
    r.entries.reserve(
        size_t(std::count_if(main.text.tokens.begin(), main.text.tokens.end(),
                             [](const Token &t) { return t.kind == TokenKind::Period; })));
    Reader(options, r).run(std::move(main));
    if (r.ok() && r.entries.empty()) {
        r.error = QStringLiteral("no data description entry found");
        r.errorFile = name.isEmpty() ? QStringLiteral("The text") : name;
        r.notDataDescription = true;
    }
    if (r.ok()) {
        QString message;
        const int at = buildStructure(r, message);
        if (at >= 0) {
            const DataEntry &e = r.entries[size_t(at)];
            r.error = message;
            r.errorFile = e.file.isEmpty() ? name : e.file;
            r.errorLine = e.line;
            r.errorColumn = e.column;
        }
    }
    if (!r.ok()) {
        r.entries.clear();
        r.parents.clear();
    }
    return r;
}

ReadResult ReadDataDescriptionFile(const QString &path, ReadOptions options)
{
    QFile file(path);
    const QFileInfo info(path);
    if (info.isDir() || info.size() > kMaxCopybookBytes || !file.open(QIODevice::ReadOnly)) {
        ReadResult r;
        r.error = info.isDir() ? QStringLiteral("it is a folder")
                  : info.size() > kMaxCopybookBytes
                      ? QStringLiteral("it is too large for a copybook")
                      : file.errorString();
        r.errorFile = path;
        return r;
    }
    if (options.baseDir.isEmpty())
        options.baseDir = info.absolutePath();
    const QByteArray bytes = file.readAll();
    ReadResult r;
    if (bytes.contains('\0'))
        r.error = QStringLiteral("it holds NUL bytes");
    else
        r = ReadDataDescriptions(DecodeSource(bytes), options, info.fileName());
    if (r.notDataDescription || bytes.contains('\0')) {
        r.errorFile = path; // named as the user named it
        r.notDataDescription = true;
    }
    return r;
}

} // namespace orvane::cobol
