#pragma once

// Keywords as the reader meets them in nearly every word: a small set of upper-case ASCII words
// kept by length, a case-blind compare with one keyword, and a word upper-cased without Qt's
// full case mapping when it is plain ASCII. QtCore only.

#include <QString>
#include <QStringView>

#include <initializer_list>
#include <string>
#include <vector>

namespace orvane::cobol
{

class KeywordSet
{
public:
    KeywordSet() = default;
    KeywordSet(std::initializer_list<const char *> words)
    {
        for (const char *w : words)
            add(w);
    }
    void add(const char *word)
    {
        const std::u16string k(word, word + std::char_traits<char>::length(word));
        if (k.size() >= byLength_.size())
            byLength_.resize(k.size() + 1);
        byLength_[k.size()].push_back(k);
    }
    // Exact, case-sensitive: the caller upper-cases.
    bool contains(QStringView w) const
    {
        const size_t n = size_t(w.size());
        if (n >= byLength_.size())
            return false;
        for (const std::u16string &k : byLength_[n])
            if (std::char_traits<char16_t>::compare(k.data(), w.utf16(), n) == 0)
                return true;
        return false;
    }

private:
    std::vector<std::vector<std::u16string>> byLength_;
};

// Whether `word` is `keyword` (upper-case ASCII) in any case. Other than ASCII letters fall back
// to Qt's case folding, as a plain case-insensitive compare would do.
inline bool IsKeyword(QStringView word, QLatin1StringView keyword)
{
    if (word.size() != keyword.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t c = word[i].unicode();
        if (c >= 0x80)
            return word.compare(keyword, Qt::CaseInsensitive) == 0;
        if ((c >= u'a' && c <= u'z' ? char16_t(c - 32) : c) != char16_t(keyword[i].unicode()))
            return false;
    }
    return true;
}

// The text in upper case, as QString::toUpper gives it.
inline QString UpperText(QStringView text)
{
    QString s(text.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(s.data());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80)
            return text.toString().toUpper();
        out[i] = c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
    }
    return s;
}

// Appends the text in upper case, as QString::toUpper gives it.
inline void AppendUpper(QString &to, QStringView text)
{
    const qsizetype at = to.size();
    to.resize(at + text.size());
    char16_t *out = reinterpret_cast<char16_t *>(to.data()) + at;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            to.truncate(at);
            to += text.toString().toUpper();
            return;
        }
        out[i] = c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
    }
}

} // namespace orvane::cobol
