#include "render_arguments.h"

#include "help_or_version.h"
#include "translation.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

namespace render {

namespace {

// A whole decimal number and nothing else: no blanks, no exponent, no hexadecimal, so a
// mistyped value is refused instead of being read as something the user did not mean.
template <typename Int> std::optional<Int> parseDecimal(std::string_view text) {
    // from_chars takes a leading minus but no plus; a plus must be followed by a digit.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front())))
            return std::nullopt;
    }
    Int value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

std::string quoted(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result += '\'';
    result += text;
    result += '\'';
    return result;
}

// The options that take a value, with the word used when the value is missing.
struct ValueOption {
    std::string_view shortName; // empty when there is none
    std::string_view longName;
    std::string_view valueWord;
};

constexpr ValueOption kOutput{"-o", "--output", sound::N_("ファイル名")};
constexpr ValueOption kFrames{"", "--frames", sound::N_("数")};
constexpr ValueOption kClock{"", "--clock", sound::N_("数")};
constexpr ValueOption kLink{"", "--link", sound::N_("ページのアドレス")};

} // namespace

ParsedArguments parseRenderArguments(const std::vector<std::string>& args) {
    switch (sound::helpOrVersionAsked(args)) {
    case sound::HelpOrVersion::Help:
        return HelpRequest{};
    case sound::HelpOrVersion::Version:
        return VersionRequest{};
    case sound::HelpOrVersion::Neither:
        break;
    }

    std::optional<std::string> settings;
    std::optional<std::string> output;
    std::optional<std::string> framesText;
    std::optional<std::string> clockText;
    std::optional<std::string> pageUrl;

    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg.front() != '-') {
            if (settings)
                return ArgumentError{sound::tr("設定ファイルが2つ以上あります: %s と %s",
                                               {quoted(*settings), quoted(arg)})};
            settings = arg;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }

        struct Slot {
            const ValueOption* option;
            std::optional<std::string>* value;
        };
        const Slot valueSlots[] = {{&kOutput, &output},
                                   {&kFrames, &framesText},
                                   {&kClock, &clockText},
                                   {&kLink, &pageUrl}};
        bool matched = false;
        for (const Slot& slot : valueSlots) {
            const ValueOption& option = *slot.option;
            const std::string withEquals = std::string(option.longName) + "=";
            std::optional<std::string> value;
            if (arg == option.longName || (!option.shortName.empty() && arg == option.shortName)) {
                if (i + 1 >= args.size())
                    return ArgumentError{
                        sound::tr("%s には%sが必要です", {arg, sound::tr(option.valueWord)})};
                value = args[++i];
            } else if (arg.rfind(withEquals, 0) == 0) {
                value = arg.substr(withEquals.size());
            } else {
                continue;
            }
            if (*slot.value)
                return ArgumentError{sound::tr("%s が2回指定されています", {option.longName})};
            *slot.value = std::move(value);
            matched = true;
            break;
        }
        if (!matched)
            return ArgumentError{sound::tr("不明なオプションです: %s", {quoted(arg)})};
    }

    if (!settings)
        return ArgumentError{sound::tr("設定ファイル (SETTINGS.okd) が指定されていません")};
    if (pageUrl) {
        if (output || framesText || clockText)
            return ArgumentError{sound::tr("--link はリンクを表示するだけで何も描きません: "
                                           "-o, --frames, --clock は指定できません")};
        return LinkRequest{*settings, *pageUrl};
    }
    if (!output)
        return ArgumentError{
            sound::tr("出力が指定されていません: -o OUT.png か -o OUT.gif を指定してください")};

    RenderRequest request;
    request.settingsPath = *settings;
    request.outputPath = *output;
    if (endsWithIgnoringCase(*output, ".png"))
        request.kind = OutputKind::Png;
    else if (endsWithIgnoringCase(*output, ".gif"))
        request.kind = OutputKind::Gif;
    else
        return ArgumentError{
            sound::tr("出力の名前は .png か .gif で終わる必要があります: %s", {quoted(*output)})};

    if (request.kind == OutputKind::Gif) {
        if (!framesText)
            return ArgumentError{sound::tr("アニメーション GIF には --frames N が必要です")};
        const std::optional<int> frames = parseDecimal<int>(*framesText);
        if (!frames || *frames < 1 || *frames > kMaxFrames)
            return ArgumentError{
                sound::tr("--frames には 1 から %s までの整数を指定します (%s ではなく)",
                          {std::to_string(kMaxFrames), quoted(*framesText)})};
        request.frames = *frames;
    } else if (framesText) {
        return ArgumentError{
            sound::tr("--frames はアニメーション GIF のためのものです。.png は1コマです")};
    }

    if (clockText) {
        const std::optional<std::int32_t> clock = parseDecimal<std::int32_t>(*clockText);
        if (!clock)
            return ArgumentError{sound::tr("--clock にはティック数を整数で指定します (%s ではなく)",
                                           {quoted(*clockText)})};
        request.clock = *clock;
    }
    return request;
}

std::string usageText() {
    return sound::tr(
        "使い方: ondulix-k-render SETTINGS.okd -o OUT.png [--clock T]\n"
        "または: ondulix-k-render SETTINGS.okd -o OUT.gif --frames N [--clock T]\n"
        "または: ondulix-k-render SETTINGS.okd --link PAGE_URL\n"
        "\n"
        "設定ファイルについて Ondulix-K が描くコマを、ウィンドウなしで書き出します:\n"
        "601 x 601 の PNG 画像か、くり返し再生するアニメーション GIF です。または、\n"
        "その設定をブラウザ版のページで開くリンクを表示します。\n"
        "\n"
        "  -o, --output FILE  書き出すファイル。名前の末尾 (.png か .gif) で種類が決まる\n"
        "  --frames N         アニメーションのコマ数。描くティックごとに1コマ (1 から %s)\n"
        "  --clock T          最初のティックでのアニメーションの時計 (既定は 0)。\n"
        "                     プログラムと同じく、100000 を過ぎた時計は何も描かない\n"
        "                     ティックで -100000 に戻る\n"
        "  --link PAGE_URL    File > Save が書くとおりの設定を PAGE_URL#okd=... として\n"
        "                     表示し、画像は書かない。PAGE_URL の # から後は置き換える\n"
        "  -h, --help         このヘルプを表示して終了する\n"
        "  --version          バージョンを表示して終了する\n"
        "\n"
        "SETTINGS.okd を \"-\" にすると標準入力から読みます。パイプは終わりまで読みます。\n"
        "\n"
        "画像は、時計を T にしてファイルを開いたあと、最初のティックでプログラムが描く\n"
        "コマです。視点ぐるぐるがオンなら、そのティックはまず視点を回します。GIF は\n"
        "そこから続く N ティックのコマを、それぞれファイルの処理間隔だけ表示します。\n"
        "失敗したときは1行を表示し (変換できない設定ファイルの行は FILE:LINE: メッセージ)、\n"
        "ファイルは書きません。\n",
        {std::to_string(kMaxFrames)});
}

std::string versionText() {
    return "ondulix-k-render (Ondulix-K) " ONDULIX_VERSION "\n";
}

} // namespace render
