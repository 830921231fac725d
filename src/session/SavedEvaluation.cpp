// Writing and reading the text of a .zeb file.
#include "data/CFormat.h"
#include "data/FileAccess.h"
#include "evaluation/OptionTable.h"
#include "session/SavedEvaluation.h"
#include "export/JsonDocument.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace zeb {

namespace {

using jsondoc::Value;
using Kind = jsondoc::Value::Kind;

// Whole numbers are exact in a double up to 2^53.
constexpr double kLargestWhole = 9007199254740992.0;

std::string fileJson(const EvaluationDataFile& f) {
    return "{\"path\": " + jsondoc::Quote(f.path) + ", \"size\": " + CFormat("%llu", static_cast<unsigned long long>(f.sizeBytes)) +
           ", \"sha256\": " + jsondoc::Quote(f.sha256) + "}";
}

// A failed check: the text says which field and what it must be.
struct Bad {
    std::string what;
};

const Value& member(const Value& object, const std::string& key, const std::string& where) {
    const Value* v = object.find(key);
    if (!v) throw Bad{where + "\"" + key + "\" is missing."};
    return *v;
}

long long wholeNumber(const Value& v, const std::string& name, long long lo, long long hi) {
    const std::string range = CFormat(" must be a whole number from %lld to %lld.", lo, hi);
    if (v.kind != Kind::Number || std::floor(v.number) != v.number || v.number < static_cast<double>(lo) ||
        v.number > static_cast<double>(hi))
        throw Bad{name + range};
    return static_cast<long long>(v.number);
}

bool flag(const Value& v, const std::string& name) {
    if (v.kind != Kind::Bool) throw Bad{name + " must be true or false."};
    return v.boolean;
}

void onlyKeys(const Value& object, std::initializer_list<const char*> keys, const std::string& where) {
    for (const auto& [key, value] : object.members) {
        bool known = false;
        for (const char* k : keys) known = known || key == k;
        if (!known) throw Bad{where + "unknown entry \"" + key + "\"."};
    }
}

EvaluationDataFile dataFile(const Value& v, const std::string& where) {
    if (v.kind != Kind::Object) throw Bad{where + " must be an object with \"path\", \"size\" and \"sha256\"."};
    onlyKeys(v, {"path", "size", "sha256"}, where + ": ");
    EvaluationDataFile f;
    const Value& path = member(v, "path", where + ": ");
    if (path.kind != Kind::String || path.text.empty() || path.text.size() > 4096 ||
        path.text.find('\0') != std::string::npos)
        throw Bad{where + ": \"path\" must be the file's path (1 to 4096 characters)."};
    f.path = path.text;
    f.sizeBytes = static_cast<std::uint64_t>(
        wholeNumber(member(v, "size", where + ": "), where + ": \"size\"", 0, static_cast<long long>(kLargestWhole)));
    const Value& sha = member(v, "sha256", where + ": ");
    bool hex = sha.kind == Kind::String && sha.text.size() == 64;
    if (hex)
        for (char c : sha.text) hex = hex && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
    if (!hex) throw Bad{where + ": \"sha256\" must be 64 hex digits."};
    f.sha256 = sha.text;
    for (char& c : f.sha256) c = static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
    return f;
}

PlotType plotTypeOf(const Value& v) {
    const auto type = v.kind == Kind::String ? PlotTypeNamed(v.text) : std::nullopt;
    if (!type) throw Bad{"\"plotType\" must be " + PlotTypeNameList() + "."};
    return *type;
}

int modelOf(const Value& v, const std::string& what) {
    const auto model = v.kind == Kind::String ? ModelNamed(v.text) : std::nullopt;
    if (!model) throw Bad{what + " must be coil-md, coil-pd, rod, sphere or user."};
    return *model;
}

double positiveNumber(const Value& v, const std::string& name) {
    if (v.kind != Kind::Number || !(v.number > 0.0)) throw Bad{name + " must be a number above 0."};
    return v.number;
}

EvaluationFormFactor formFactor(const Value& v) {
    const std::string where = "\"formFactor\": ";
    if (v.kind != Kind::Object) throw Bad{"\"formFactor\" must be null or an object."};
    onlyKeys(v, {"models", "representation", "rgNm", "mwGPerMol", "compared", "userFile"}, where);
    EvaluationFormFactor ff;
    const Value& models = member(v, "models", where);
    if (models.kind != Kind::Array || models.items.empty() || models.items.size() > 5)
        throw Bad{where + "\"models\" must list 1 to 5 models."};
    for (const Value& m : models.items) {
        const int model = modelOf(m, where + "a model");
        for (int earlier : ff.models)
            if (earlier == model) throw Bad{where + "the model \"" + m.text + "\" is listed twice."};
        ff.models.push_back(model);
    }
    ff.representation = static_cast<int>(wholeNumber(member(v, "representation", where), where + "\"representation\"", 1, 12));
    ff.rgNm = positiveNumber(member(v, "rgNm", where), where + "\"rgNm\"");
    ff.mwGPerMol = positiveNumber(member(v, "mwGPerMol", where), where + "\"mwGPerMol\"");
    ff.compared = static_cast<int>(wholeNumber(member(v, "compared", where), where + "\"compared\"", -1, 99));
    const bool user = std::find(ff.models.begin(), ff.models.end(), 5) != ff.models.end();
    const Value* userFile = v.find("userFile");
    if (user && (!userFile || userFile->isNull())) throw Bad{where + "the model \"user\" needs \"userFile\"."};
    if (!user && userFile && !userFile->isNull()) throw Bad{where + "\"userFile\" is given without the model \"user\"."};
    if (user) ff.userFile = dataFile(*userFile, where + "\"userFile\"");
    return ff;
}

SavedEvaluation evaluationOf(const Value& root) {
    if (root.kind != Kind::Object) throw Bad{"the file holds no JSON object."};
    const Value* format = root.find("format");
    if (!format) throw Bad{"\"format\" is missing."};
    if (format->kind != Kind::Number || std::floor(format->number) != format->number)
        throw Bad{"\"format\" must be a whole number."};
    if (format->number != kEvaluationFormat)
        throw Bad{CFormat("the file has format %.17g; this program reads evaluations of format %d.", format->number,
                          kEvaluationFormat)};
    onlyKeys(root, {"program", "format", "files", "plotType", "qOrder", "cOrder", "k", "smoothing", "weighting",
                    "deactivated", "formFactor"},
             "");
    if (const Value* program = root.find("program"); program && program->kind != Kind::String)
        throw Bad{"\"program\" must be a text."};

    SavedEvaluation e;
    const Value& files = member(root, "files", "");
    if (files.kind != Kind::Array || files.items.empty() || files.items.size() > 99)
        throw Bad{"\"files\" must list 1 to 99 data files."};
    for (std::size_t i = 0; i < files.items.size(); ++i)
        e.files.push_back(dataFile(files.items[i], CFormat("file %zu", i + 1)));
    EvaluationOptions& o = e.options;
    o.plotType = plotTypeOf(member(root, "plotType", ""));
    o.qOrder = *FitOrderFromNumber(static_cast<int>(wholeNumber(member(root, "qOrder", ""), "\"qOrder\"", 0, 5)));
    o.cOrder = *FitOrderFromNumber(static_cast<int>(wholeNumber(member(root, "cOrder", ""), "\"cOrder\"", 0, 5)));
    const Value& k = member(root, "k", "");
    if (!k.isNull()) {
        if (k.kind != Kind::Number || k.number == 0.0) throw Bad{"\"k\" must be null or a number other than 0."};
        o.kInternal = k.number;
    }
    o.smoothing = flag(member(root, "smoothing", ""), "\"smoothing\"") ? Smoothing::On : Smoothing::Off;
    o.weighting = flag(member(root, "weighting", ""), "\"weighting\"") ? Weighting::On : Weighting::Off;
    const Value& off = member(root, "deactivated", "");
    if (off.kind != Kind::Array || off.items.size() > 99u * 135u)
        throw Bad{"\"deactivated\" must list [concentration, angle] pairs."};
    for (const Value& pair : off.items) {
        if (pair.kind != Kind::Array || pair.items.size() != 2)
            throw Bad{"\"deactivated\" must list [concentration, angle] pairs."};
        const int c = static_cast<int>(wholeNumber(pair.items[0], "a concentration in \"deactivated\"", 1, 99));
        const int a = static_cast<int>(wholeNumber(pair.items[1], "an angle in \"deactivated\"", 1, 135));
        o.switchedOff.push_back({c, a});
    }
    if (const Value* ff = root.find("formFactor"); ff && !ff->isNull()) {
        e.formFactor = formFactor(*ff);
        if (!IsStaticPlot(o.plotType)) throw Bad{"\"formFactor\" needs a static plot type (zimm, berry or guinier)."};
    }
    return e;
}

bool underRoot(const std::filesystem::path& a, const std::filesystem::path& b) {
    // Whether the two absolute paths share a folder other than the root.
    auto ia = a.begin(), ib = b.begin();
    int shared = 0;
    for (; ia != a.end() && ib != b.end() && *ia == *ib; ++ia, ++ib) ++shared;
    return shared >= 2;  // the root and at least one folder
}

} // namespace

std::string EvaluationJson(const SavedEvaluation& e) {
    std::string out = "{\n  \"program\": \"ZEBstat\",\n  \"format\": " + std::to_string(kEvaluationFormat) + ",\n";
    out += "  \"files\": [";
    for (std::size_t i = 0; i < e.files.size(); ++i) out += std::string(i ? ",\n    " : "\n    ") + fileJson(e.files[i]);
    out += "\n  ],\n";
    const EvaluationOptions& o = e.options;
    out += "  \"plotType\": " + jsondoc::Quote(PlotTypeName(o.plotType)) + ",\n";
    out += "  \"qOrder\": " + std::to_string(OrderNumber(o.qOrder)) + ",\n";
    out += "  \"cOrder\": " + std::to_string(OrderNumber(o.cOrder)) + ",\n";
    out += "  \"k\": " + (o.kInternal ? jsondoc::Number(*o.kInternal) : std::string("null")) + ",\n";
    out += std::string("  \"smoothing\": ") + (o.smoothing == Smoothing::On ? "true" : "false") + ",\n";
    out += std::string("  \"weighting\": ") + (o.weighting == Weighting::On ? "true" : "false") + ",\n";
    out += "  \"deactivated\": [";
    for (std::size_t i = 0; i < o.switchedOff.size(); ++i)
        out += CFormat("%s[%d, %d]", i ? ", " : "", o.switchedOff[i].concentration, o.switchedOff[i].angle);
    out += "],\n  \"formFactor\": ";
    if (!e.formFactor) {
        out += "null";
    } else {
        const EvaluationFormFactor& ff = *e.formFactor;
        out += "{\"models\": [";
        for (std::size_t i = 0; i < ff.models.size(); ++i) out += (i ? ", " : "") + jsondoc::Quote(ModelName(ff.models[i]));
        out += "], \"representation\": " + std::to_string(ff.representation);
        out += ", \"rgNm\": " + jsondoc::Number(ff.rgNm) + ", \"mwGPerMol\": " + jsondoc::Number(ff.mwGPerMol);
        out += ", \"compared\": " + std::to_string(ff.compared);
        if (ff.userFile) out += ",\n    \"userFile\": " + fileJson(*ff.userFile);
        out += "}";
    }
    return out + "\n}\n";
}

EvaluationParse ParseEvaluation(const std::string& text) {
    EvaluationParse result;
    const jsondoc::ParseResult json = jsondoc::Parse(text);
    if (!json.value) {
        result.problem = "not JSON: " + json.error;
        return result;
    }
    try {
        result.evaluation = evaluationOf(*json.value);
    } catch (const Bad& bad) {
        result.problem = bad.what;
    }
    return result;
}

EvaluationParse ReadEvaluationFile(const std::string& zebPath) {
    const FileBytes file = ReadFileBytes(zebPath, kMaxEvaluationFileBytes);
    EvaluationParse result;
    if (file.status == FileBytes::Status::TooLarge) {
        result.problem = TooLargeDetail(zebPath, file, kMaxEvaluationFileBytes);
        return result;
    }
    if (!file.ok()) {
        result.unreadable = true;
        result.problem = CannotReadDetail(zebPath, file);
        return result;
    }
    result = ParseEvaluation(file.bytes);
    if (!result.evaluation) result.problem = zebPath + ": " + result.problem;
    return result;
}

std::string PathForEvaluation(const std::string& dataPath, const std::string& zebPath) {
    namespace fs = std::filesystem;
    const fs::path data = fs::path(dataPath).lexically_normal();
    const fs::path folder = fs::path(zebPath).lexically_normal().parent_path();
    if (!data.is_absolute() || !folder.is_absolute() || !underRoot(data, folder)) return data.string();
    const fs::path relative = data.lexically_relative(folder);
    return relative.empty() ? data.string() : relative.string();
}

std::string ResolveEvaluationPath(const std::string& written, const std::string& zebPath) {
    namespace fs = std::filesystem;
    const fs::path p(written);
    if (p.is_absolute()) return p.lexically_normal().string();
    return (fs::path(zebPath).parent_path() / p).lexically_normal().string();
}

} // namespace zeb
