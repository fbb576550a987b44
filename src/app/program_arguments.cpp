#include "program_arguments.h"

#include "help_or_version.h"
#include "translation.h"

namespace sd {

ProgramArguments parseProgramArguments(const std::vector<std::string>& args) {
    switch (sound::helpOrVersionAsked(args)) {
    case sound::HelpOrVersion::Help:
        return HelpRequest{};
    case sound::HelpOrVersion::Version:
        return VersionRequest{};
    case sound::HelpOrVersion::Neither:
        break;
    }

    StartRequest request;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (optionsEnded || arg == "-" || arg.empty() || arg.front() != '-') {
            if (request.settingsPath)
                return ArgumentError{sound::tr("設定ファイルが2つ以上あります: '%s' と '%s'",
                                               {*request.settingsPath, arg})};
            request.settingsPath = arg;
        } else {
            return ArgumentError{sound::tr("不明なオプションです: '%s'", {arg})};
        }
    }
    return request;
}

std::string usageText() {
    return sound::tr(
        "使い方: ondulix-k [SETTINGS.okd]\n"
        "\n"
        "Ondulix-K のウィンドウを開き、4つまでの点波源から広がる波とその干渉を\n"
        "動かして見せます。設定ファイルを指定すると、ウィンドウが表示されてから\n"
        "File > Open と同じようにそのファイルを開きます。読み込めないファイルや\n"
        "変換できないファイルはメッセージボックスで知らせ、起動時の設定のまま続けます。\n"
        "\n"
        "  -h, --help  このヘルプを表示して終了する\n"
        "  --version   バージョンを表示して終了する\n");
}

std::string versionText() {
    return "ondulix-k (Ondulix-K) " ONDULIX_VERSION "\n";
}

} // namespace sd
