#include "settings/SettingsFile.h"

#include "texts/SettingsTexts.h"
#include "platform/CodePage.h"
#include "settings/Profile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace zeb {

namespace {

constexpr std::size_t kValueChars = 254;

std::string Get(const char* section, const std::string& key, const char* dflt, const ProfileFile& file,
                std::size_t maxChars = kValueChars) {
    return file.get(section, key, dflt, maxChars);
}

std::int16_t YesFlag(const char* section, const char* key, const ProfileFile& file) {
    return Get(section, key, tx::ValYes, file) == tx::ValYes ? 1 : 0;
}

std::string FontKey(const char* pattern) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, static_cast<short>(0));
    return buf;
}

std::string NumberedKey(const char* pattern, int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, n);
    return buf;
}

std::int32_t Int32Of(const std::string& text) {
    const long long v = LeadingInteger(text);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

std::uint8_t ByteOf(const std::string& text) {
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(LeadingInteger(text)) & 0xFFu);
}

LogFont ReadFont(const ProfileFile& file) {
    const char* s = tx::SecFontSetting;
    LogFont f;
    f.height = Int32Of(Get(s, FontKey(tx::KeyLfHeight), "0", file));
    f.width = Int32Of(Get(s, FontKey(tx::KeyLfWidth), "0", file));
    f.escapement = Int32Of(Get(s, FontKey(tx::KeyLfEscapement), "0", file));
    f.orientation = Int32Of(Get(s, FontKey(tx::KeyLfOrientation), "0", file));
    f.weight = Int32Of(Get(s, FontKey(tx::KeyLfWeight), "700", file));
    f.italic = ByteOf(Get(s, FontKey(tx::KeyLfItalic), "0", file));
    f.underline = ByteOf(Get(s, FontKey(tx::KeyLfUnderline), "0", file));
    f.strikeOut = ByteOf(Get(s, FontKey(tx::KeyLfStrikeOut), "0", file));
    f.charSet = ByteOf(Get(s, FontKey(tx::KeyLfCharSet), "0", file));
    f.outPrecision = ByteOf(Get(s, FontKey(tx::KeyLfOutPrecision), "7", file));
    f.clipPrecision = ByteOf(Get(s, FontKey(tx::KeyLfClipPrecision), "32", file));
    f.quality = ByteOf(Get(s, FontKey(tx::KeyLfQuality), "2", file));
    f.pitchAndFamily = ByteOf(Get(s, FontKey(tx::KeyLfPitchAndFamily), "32", file));
    f.faceName = Utf8Left(Get(s, FontKey(tx::KeyLfFaceName), tx::DefaultFaceName, file),
                          LogFont::kFaceNameChars);
    return f;
}

std::string Format(const char* fmt, long long v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

bool WriteFont(const LogFont& f, ProfileFile& file) {
    const char* s = tx::SecFontSetting;
    bool ok = true;
    auto put = [&](const char* key, const std::string& value) { ok = file.set(s, FontKey(key), value) && ok; };
    put(tx::KeyLfHeight, Format("%lld", f.height));
    put(tx::KeyLfWidth, Format("%lld", f.width));
    put(tx::KeyLfEscapement, Format("%lld", f.escapement));
    put(tx::KeyLfOrientation, Format("%lld", f.orientation));
    put(tx::KeyLfWeight, Format("%lld", f.weight));
    put(tx::KeyLfItalic, Format("%lld", f.italic));
    put(tx::KeyLfUnderline, Format("%lld", f.underline));
    put(tx::KeyLfStrikeOut, Format("%lld", f.strikeOut));
    put(tx::KeyLfCharSet, Format("%lld", f.charSet));
    put(tx::KeyLfOutPrecision, Format("%lld", f.outPrecision));
    put(tx::KeyLfClipPrecision, Format("%lld", f.clipPrecision));
    put(tx::KeyLfQuality, Format("%lld", f.quality));
    put(tx::KeyLfPitchAndFamily, Format("%lld", f.pitchAndFamily));
    put(tx::KeyLfFaceName, Utf8Left(f.faceName, LogFont::kFaceNameChars));
    return ok;
}

bool FolderWritable(const std::filesystem::path& folder) {
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

long long LeadingInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (v > (LLONG_MAX - 9) / 10) break;  // stays at the largest value reached
        v = v * 10 + (text[i] - '0');
    }
    return negative ? -v : v;
}

LineStyle BuiltInLine(int row) {
    static constexpr std::uint32_t kColors[8] = {0,        0x000000, 0x000000, 0x0000FF,
                                                 0x00FF00, 0xFF0000, 0xFF00FF, 0x0087FF};
    if (row < 1 || row > kLineRows) return {};
    const std::int32_t width = row <= 2 ? 23 : (row - 2) * 16383 / 1500;
    return {width, kColors[row]};
}

LineTable LineTable::BuiltIn() {
    LineTable t;
    for (int r = 1; r <= kLineRows; ++r) t.row(r) = t.entries[static_cast<std::size_t>(r + 8)] = BuiltInLine(r);
    return t;
}

const char* SymbolSizeText(int code) {
    return code == 1 ? tx::ValSmall : code == 2 ? tx::ValMedium : tx::ValGreat;
}

std::int16_t SymbolSizeCode(const std::string& text) {
    if (text == tx::ValSmall) return 1;
    if (text == tx::ValMedium) return 2;
    if (text == tx::ValGreat) return 3;
    return 2;
}

std::string SettingsFilePath(const std::string& programPath) {
    namespace fs = std::filesystem;
    std::string name = programPath;
    const std::size_t n = name.size();
    if (n >= 4 && name[n - 4] == '.' && (name[n - 3] | 0x20) == 'e' && (name[n - 2] | 0x20) == 'x' &&
        (name[n - 1] | 0x20) == 'e')
        name.replace(n - 3, 3, "ini");
    else
        name += ".ini";
    const fs::path beside(name);
    const fs::path programFolder = beside.parent_path().empty() ? fs::path(".") : beside.parent_path();
    // An installed program (its folder beside share/zebstat, as in /usr/bin)
    // never writes into the system's program folder, not even for root.
    std::error_code installedError;
    const bool installed = fs::is_directory(programFolder / ".." / "share" / "zebstat", installedError);
    if (!installed && FolderWritable(programFolder)) return name;

    fs::path folder;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        folder = fs::path(xdg) / "zebstat";
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = fs::path(home) / ".config" / "zebstat";
    else
        return name;  // nowhere better: reading still works, writing fails quietly
    std::error_code ec;
    fs::create_directories(folder, ec);
    return (folder / beside.filename()).string();
}

namespace {

// The message for a settings file that exists but was not read.
std::string SettingsProblemText(const ProfileFile& file) {
    switch (file.state()) {
    case ProfileFile::State::TooLarge:
    case ProfileFile::State::Unreadable:
        return std::string(tx::SettingsFileNotRead) + "\n\n" + file.path() + ": " + file.problem();
    default: return "";
    }
}

} // namespace

GlobalDefaults ReadGlobalSettings(const std::string& settingsPath, std::string* problem) {
    const ProfileFile file(settingsPath);
    if (problem) *problem = SettingsProblemText(file);
    return GlobalSettingsOf(file);
}

GlobalDefaults GlobalSettingsOf(const ProfileFile& file) {
    GlobalDefaults g;
    g.symbolSize = SymbolSizeCode(Get(tx::SecSettings, tx::KeySymbolSize, tx::ValMedium, file));
    g.smoothing = Get(tx::SecSettings, tx::KeySmoothing, tx::ValNo, file) == tx::ValNo ? 1 : 2;
    const std::string fit = Get(tx::SecSettings, tx::KeyFitDisplay, "1", file);
    g.fitDisplay = fit == "2" ? 2 : fit == "3" ? 3 : 1;
    g.showFileName = YesFlag(tx::SecSettingsForPlot, tx::KeyShowFilename, file);
    g.showErrorBars = Get(tx::SecSettingsForPlot, tx::KeyShowErrorbars, tx::ValNo, file) == tx::ValYes;
    g.showSampleName = YesFlag(tx::SecSettingsForPlot, tx::KeyShowSampleName, file);
    g.showResults = YesFlag(tx::SecSettingsForPlot, tx::KeyShowResults, file);
    g.printResults = YesFlag(tx::SecPrint, tx::KeyPrintResults, file);
    g.symbolSizeFF = SymbolSizeCode(Get(tx::SecSettings, tx::KeySymbolSizeFF, tx::ValMedium, file));
    g.showErrorBarsFF = Get(tx::SecSettingsForPlot, tx::KeyShowErrorBarsFF, tx::ValNo, file) == tx::ValYes;
    g.showFileNameFF = YesFlag(tx::SecSettingsForPlot, tx::KeyShowFilenameFF, file);
    g.showSampleNameFF = YesFlag(tx::SecSettingsForPlot, tx::KeyShowSampleNameFF, file);
    g.axisFont = ReadFont(file);
    return g;
}

PlotSettings ReadWindowSettings(const GlobalDefaults& defaults, const std::string& settingsPath) {
    return WindowSettingsOf(defaults, ProfileFile(settingsPath));
}

PlotSettings WindowSettingsOf(const GlobalDefaults& defaults, const ProfileFile& file) {
    PlotSettings w;
    static_cast<GlobalDefaults&>(w) = defaults;
    w.manualXFF = defaults.manualX;
    w.manualYFF = defaults.manualY;
    w.lines = LineTable::BuiltIn();
    auto title = [&](const char* pattern, int n) {
        return Utf8Left(Get(tx::SecChartLabels, NumberedKey(pattern, n), "", file, 255), kAxisTitleChars);
    };
    for (int t = 1; t <= kPlotTypes; ++t) {
        w.xTitleZimm[static_cast<std::size_t>(t)] = title(tx::KeyXLabelZimm, t);
        w.yTitleZimm[static_cast<std::size_t>(t)] = title(tx::KeyYLabelZimm, t);
    }
    for (int r = 1; r <= kFormFactorRepresentations; ++r) {
        w.xTitleFF[static_cast<std::size_t>(r)] = title(tx::KeyXLabelFF, r);
        w.yTitleFF[static_cast<std::size_t>(r)] = title(tx::KeyYLabelFF, r);
    }
    for (int r = 1; r <= kLineRows; ++r) {
        const std::string width = Get(tx::SecPlotLines, NumberedKey(tx::KeyLineWidth, r), "", file);
        if (!width.empty()) w.lines.row(r).width = Int32Of(width);
        const std::string color = Get(tx::SecPlotLines, NumberedKey(tx::KeyLineColor, r), "", file);
        if (!color.empty()) w.lines.row(r).color = static_cast<std::uint32_t>(Int32Of(color));
    }
    return w;
}

WriteResult SaveSettings(const PlotSettings& w, int plotType, int formFactorRepresentation, GlobalDefaults& g,
                         const std::string& path) {
    // The file is read once, every key replaced in memory and the file written once.
    ProfileFile file(path);
    bool ok = true;
    auto put = [&](const char* section, const std::string& key, const std::string& value) {
        ok = file.set(section, key, value) && ok;
    };
    auto yesNo = [](int flag) { return std::string(flag == 1 ? tx::ValYes : tx::ValNo); };
    put(tx::SecSettings, tx::KeySymbolSize, SymbolSizeText(w.symbolSize));
    put(tx::SecSettings, tx::KeySmoothing, w.smoothing == 1 ? tx::ValNo : tx::ValYes);
    put(tx::SecSettings, tx::KeyFitDisplay, Format("%lld", w.fitDisplay == 2 || w.fitDisplay == 3 ? w.fitDisplay : 1));
    put(tx::SecSettingsForPlot, tx::KeyShowFilename, yesNo(w.showFileName));
    put(tx::SecSettingsForPlot, tx::KeyShowErrorbars, yesNo(w.showErrorBars));
    put(tx::SecSettingsForPlot, tx::KeyShowSampleName, yesNo(w.showSampleName));
    put(tx::SecSettingsForPlot, tx::KeyShowResults, yesNo(w.showResults));
    put(tx::SecPrint, tx::KeyPrintResults, yesNo(w.printResults));
    put(tx::SecSettings, tx::KeySymbolSizeFF, SymbolSizeText(w.symbolSizeFF));
    put(tx::SecSettingsForPlot, tx::KeyShowFilenameFF, yesNo(w.showFileNameFF));
    put(tx::SecSettingsForPlot, tx::KeyShowErrorBarsFF, yesNo(w.showErrorBarsFF));
    put(tx::SecSettingsForPlot, tx::KeyShowSampleNameFF, yesNo(w.showSampleNameFF));
    ok = WriteFont(w.axisFont, file) && ok;
    if (w.formFactorMode) {
        put(tx::SecChartLabels, NumberedKey(tx::KeyXLabelFF, formFactorRepresentation), w.xTitle);
        put(tx::SecChartLabels, NumberedKey(tx::KeyYLabelFF, formFactorRepresentation), w.yTitle);
    } else {
        put(tx::SecChartLabels, NumberedKey(tx::KeyXLabelZimm, plotType), w.xTitle);
        put(tx::SecChartLabels, NumberedKey(tx::KeyYLabelZimm, plotType), w.yTitle);
    }
    for (int r = 1; r <= kLineRows; ++r) {
        put(tx::SecPlotLines, NumberedKey(tx::KeyLineWidth, r), Format("%lld", w.lines.row(r).width));
        char color[24];
        std::snprintf(color, sizeof color, "%ul", static_cast<unsigned>(w.lines.row(r).color));
        put(tx::SecPlotLines, NumberedKey(tx::KeyLineColor, r), color);
    }
    g.symbolSize = w.symbolSize;
    g.symbolType = w.symbolType;
    g.symbolSizeFF = w.symbolSizeFF;
    g.symbolTypeFF = w.symbolTypeFF;
    g.smoothing = w.smoothing;
    g.fitDisplay = w.fitDisplay;
    g.showFileName = w.showFileName;
    g.showErrorBars = w.showErrorBars;
    g.showSampleName = w.showSampleName;
    g.showResults = w.showResults;
    g.printResults = w.printResults;
    g.showFileNameFF = w.showFileNameFF;
    g.showErrorBarsFF = w.showErrorBarsFF;
    g.showSampleNameFF = w.showSampleNameFF;
    g.axisFont = w.axisFont;
    WriteResult written = file.save();
    if (written && !ok) written = WriteResult::Failure(EINVAL, "a text holds a line break");
    return written;
}

} // namespace zeb
