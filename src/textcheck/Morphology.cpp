#include "textcheck/Morphology.h"

#include "textcheck/Kana.h"

#include <dlfcn.h>
#include <filesystem>
#include <mecab.h>

namespace sorban::textcheck {
namespace {

constexpr std::size_t PieceLength = 1000; // well inside the analyser's input buffer of 8 KiB

// Field `wanted` of a feature line, where a field in double quotes may hold commas.
std::string_view field(std::string_view feature, int wanted)
{
    int index = 0;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= feature.size(); ++i) {
        if (i < feature.size() && feature[i] == '"')
            quoted = !quoted;
        if (i == feature.size() || (feature[i] == ',' && !quoted)) {
            if (index == wanted)
                return feature.substr(start, i - start);
            ++index;
            start = i + 1;
        }
    }
    return {};
}

// Sentences end a piece; a piece never grows past PieceLength characters.
std::size_t pieceEnd(std::u32string_view text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (i - from + 1 >= PieceLength || text[i] == U'\n' || text[i] == U'。' || text[i] == U'！' || text[i] == U'？')
            return i + 1;
    }
    return text.size();
}

} // namespace

struct Morphology::Api {
    void* library = nullptr;
    mecab_t* tagger = nullptr;
    decltype(&mecab_new) create = nullptr;
    decltype(&mecab_sparse_tonode2) parse = nullptr;
    decltype(&mecab_destroy) destroy = nullptr;
    decltype(&mecab_strerror) error = nullptr;
    ~Api()
    {
        if (tagger != nullptr)
            destroy(tagger);
        if (library != nullptr)
            dlclose(library);
    }
};

std::unique_ptr<Morphology> Morphology::load(const AnalyserSetup& setup, QString& problem)
{
    auto api = std::make_unique<Api>();
    api->library = dlopen(setup.library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (api->library != nullptr) {
        api->create = reinterpret_cast<decltype(&mecab_new)>(dlsym(api->library, "mecab_new"));
        api->parse = reinterpret_cast<decltype(&mecab_sparse_tonode2)>(dlsym(api->library, "mecab_sparse_tonode2"));
        api->destroy = reinterpret_cast<decltype(&mecab_destroy)>(dlsym(api->library, "mecab_destroy"));
        api->error = reinterpret_cast<decltype(&mecab_strerror)>(dlsym(api->library, "mecab_strerror"));
    }
    if (api->create == nullptr || api->parse == nullptr || api->destroy == nullptr || api->error == nullptr) {
        problem = QStringLiteral("形態素解析器 MeCab が読み込めません（パッケージ %1 が必要です）。").arg(setup.libraryPackage);
        return nullptr;
    }
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(std::filesystem::path(setup.dictionary) / "sys.dic", ignored)) {
        problem = QStringLiteral("MeCab の辞書がありません（パッケージ %1 が必要です）。").arg(setup.dictionaryPackage);
        return nullptr;
    }
    // The dictionary's own settings stand in for /etc/mecabrc, which a system may lack.
    const std::string rc = (std::filesystem::path(setup.dictionary) / "dicrc").string();
    std::string arguments[] = {"sorban", "-r", rc, "-d", setup.dictionary};
    char* argv[] = {arguments[0].data(), arguments[1].data(), arguments[2].data(), arguments[3].data(), arguments[4].data()};
    api->tagger = api->create(5, argv);
    if (api->tagger == nullptr) {
        problem = QStringLiteral("MeCab の辞書が読み込めません（パッケージ %1 を入れ直してください）：%2")
                      .arg(setup.dictionaryPackage, QString::fromUtf8(api->error(nullptr)));
        return nullptr;
    }
    return std::unique_ptr<Morphology>(new Morphology(std::move(api), setup.readingField));
}

Morphology::Morphology(std::unique_ptr<Api> api, int readingField) : m_api(std::move(api)), m_readingField(readingField)
{}

Morphology::~Morphology() = default;

std::vector<Token> Morphology::parse(std::u32string_view text) const
{
    std::vector<Token> out;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = pieceEnd(text, from);
        parsePiece(text.substr(from, end - from), static_cast<int>(from), out);
        from = end;
    }
    return out;
}

void Morphology::parsePiece(std::u32string_view text, int offset, std::vector<Token>& out) const
{
    const QByteArray bytes = toQString(text).toUtf8();
    std::vector<int> characterAt; // the character each byte belongs to: one lead byte each
    int character = -1;
    for (const char b : bytes) {
        if ((static_cast<unsigned char>(b) & 0xC0) != 0x80)
            ++character;
        characterAt.push_back(character);
    }
    characterAt.push_back(character + 1);
    const mecab_node_t* node = m_api->parse(m_api->tagger, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    for (; node != nullptr; node = node->next) {
        if (node->stat != MECAB_NOR_NODE && node->stat != MECAB_UNK_NODE)
            continue;
        const auto start = static_cast<std::size_t>(node->surface - bytes.constData());
        const auto size = static_cast<std::size_t>(bytes.size());
        if (start >= size || node->length == 0)
            continue;
        Token t;
        t.begin = offset + characterAt[start];
        t.end = offset + characterAt[std::min(size, start + node->length)];
        const std::string_view reading = field(node->feature, m_readingField);
        if (!reading.empty() && reading != "*")
            t.reading = toU32(QString::fromUtf8(reading.data(), static_cast<qsizetype>(reading.size())));
        out.push_back(std::move(t));
    }
}

} // namespace sorban::textcheck
