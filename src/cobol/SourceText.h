#pragma once

// COBOL source as a stream of tokens: fixed and free reference format (sequence area,
// indicator column, comments, continuation lines) and the words, literals and periods of the
// text. QtCore only.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace orvane::cobol
{

enum class SourceFormat { Auto, Fixed, Free };

enum class TokenKind { Word, Literal, Period };

struct Token {
    TokenKind kind = TokenKind::Word;
    QStringView text; // into TokenizedSource::text; a literal keeps its prefix and quotes
    int line = 0;     // 1-based
    int column = 0;   // 1-based, after tab expansion
};

struct TokenizedSource {
    // The program text the tokens look into, shared and never changed, so copies and moves of
    // the source keep the tokens valid.
    QString text;
    // Texts that replaced parts of `text` (REPLACE, COPY REPLACING); tokens may look into them.
    std::vector<QString> replaced;
    std::vector<Token> tokens;
    int commentLines = 0; // comment and debugging lines seen
    QString error;        // empty when the whole text was read
    int errorLine = 0;
    int errorColumn = 0;
    bool ok() const { return error.isEmpty(); }
};

// Fixed format when every line fits it (an indicator column 7 of blank, '*', '/', '-', 'D' or
// '$'), free format otherwise; a ">>SOURCE FORMAT" directive switches for the lines after it.
SourceFormat DetectFormat(QStringView text);

// Splits the text into tokens. Fixed format reads columns 8 to 72 and joins continuation lines
// (a literal runs to column 72 and resumes after the quote on the '-' line); both formats
// drop "*>" comments. Stops at the first error, which names its line and column.
TokenizedSource Tokenize(QStringView text, SourceFormat format = SourceFormat::Auto);

// Splits one line of text into tokens with no reference-format rules: all of it is program
// text, and a literal must close on the line.
TokenizedSource TokenizeLine(const QString &text);
// The same into `into`, reusing the room its tokens had; the tokens look into `text` itself,
// which must outlive them.
void TokenizeLine(const QString &text, TokenizedSource &into);

// A word in upper case, in a buffer of the caller, so keywords compare without a copy; empty
// when the word is longer than any keyword, which then cannot be one.
using WordBuffer = std::array<char16_t, 32>;
inline QStringView UpperWord(QStringView word, WordBuffer &buffer)
{
    if (word.size() > qsizetype(buffer.size()))
        return {};
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word[i].unicode();
        buffer[size_t(i)] = c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
    }
    return QStringView(buffer.data(), word.size());
}

// A COBOL source file's bytes as text: UTF-8 when they are valid UTF-8, else Windows-1252.
QString DecodeSource(const QByteArray &bytes);

} // namespace orvane::cobol
