// The one-call JSON entry: a request names a command of tavro-calc and its
// arguments; the command line's own handler runs it with --json, and its
// output becomes the "result" of the response.

#include "lib/boundary.h"

#include "cli/command_support.h"
#include "physics/numeric/number_text.h"
#include "product/model/selection_document.h"

#include <sstream>
#include <vector>

namespace tavro::lib {
namespace {

using Json = cli::Json;

// Nesting deeper than this is refused before parsing: the parser recurses
// once per level.
constexpr int kMaxDepth = 32;
// The most arguments a request may carry.
constexpr size_t kMaxArguments = 4096;

[[noreturn]] void Refuse(const std::string& message) {
    throw StatusError(TAVRO_BAD_ARGUMENT, message);
}

// Whether the brackets of `text` (outside strings) nest deeper than kMaxDepth.
bool TooDeep(std::string_view text) {
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxDepth) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

// A JSON value as the text of a command-line argument.
std::string ArgumentText(const Json& value, const std::string& what) {
    switch (value.type()) {
    case Json::value_t::string:
        return value.get<std::string>();
    case Json::value_t::boolean:
        return value.get<bool>() ? "1" : "0";
    case Json::value_t::number_integer:
        return std::to_string(value.get<int64_t>());
    case Json::value_t::number_unsigned:
        return std::to_string(value.get<uint64_t>());
    case Json::value_t::number_float: {
        const double v = value.get<double>();
        if (!std::isfinite(v)) Refuse(what + ": the number is out of range");
        return FormatDouble17(v);
    }
    default:
        Refuse(what + ": takes a number, a string or a boolean, not " +
               std::string(value.type_name()));
    }
    return {};
}

// The input of the selection document `document` for `command`, as the
// command line's --selection gives it. The document is read by the model's
// reader, whose messages name the field at fault.
std::vector<std::string> DocumentArguments(const Json& document, std::string_view command) {
    if (!document.is_object()) Refuse("\"selection\" must be a selection document (an object)");
    SelectionState state;
    try {
        state = ReadSelectionDocument(document.dump()).state;
    } catch (const DocumentError& e) {
        Refuse(std::string("selection: ") + e.what());
    }
    return cli::SelectionArguments(state, command);
}

std::vector<std::string> CommandLine(const Json& request) {
    if (!request.is_object()) Refuse("the request must be a JSON object");
    for (const auto& [key, value] : request.items()) {
        if (key != "command" && key != "args" && key != "shown" && key != "selection") {
            Refuse("unknown key '" + cli::Printable(key, 60) +
                   "' (command, args, shown, selection)");
        }
    }
    const auto command = request.find("command");
    if (command == request.end() || !command->is_string()) {
        Refuse("the request needs \"command\" as a string");
    }
    const std::string name = command->get<std::string>();
    // Only commands proper: the options (--help, --version) print no JSON.
    if (name.empty() || name.starts_with("-") || name == "help") {
        Refuse("'" + cli::Printable(name, 60) + "' is not a command");
    }
    std::vector<std::string> words{name};
    // "shown": true asks the record command for the cells of the result tables.
    bool shown = false;
    if (const auto s = request.find("shown"); s != request.end()) {
        if (!s->is_boolean()) Refuse("\"shown\" must be true or false");
        shown = s->get<bool>();
        if (shown) words.push_back("--shown");
    }
    // A selection document's input comes before "args", which override it.
    if (const auto selection = request.find("selection"); selection != request.end()) {
        if (name != "record" && name != "check" && name != "sizes") {
            Refuse("\"selection\" belongs to the record, check and sizes commands");
        }
        for (std::string& word : DocumentArguments(*selection, shown ? "record --shown" : name))
            words.push_back(std::move(word));
    }
    const auto args = request.find("args");
    if (args == request.end()) return words;
    if (args->size() > kMaxArguments) Refuse("too many arguments");
    if (args->is_object()) {
        for (const auto& [key, value] : args->items()) {
            const std::string what = "args: " + cli::Printable(key, 60);
            if (key.empty() || key.find('=') != std::string::npos) {
                Refuse(what + " is not a name");
            }
            words.push_back(key + "=" + ArgumentText(value, what));
        }
    } else if (args->is_array()) {
        for (size_t i = 0; i < args->size(); ++i) {
            const std::string what = "args[" + std::to_string(i) + "]";
            std::string text = ArgumentText((*args)[i], what);
            // The command line would take it for an option.
            if (text.starts_with("--")) Refuse(what + ": an argument must not start with --");
            words.push_back(std::move(text));
        }
    } else {
        Refuse("\"args\" must be an object or an array");
    }
    return words;
}

// The status a command line's exit status and message stand for.
int StatusOfExit(int exit, std::string_view message) {
    // check found an error-class message: its result says so ("error": true);
    // the check itself succeeded.
    if (exit == cli::kExitOk || exit == cli::kExitLimitError) return TAVRO_OK;
    if (exit == cli::kExitBadInput) return TAVRO_BAD_ARGUMENT;
    if (message == "out of memory") return TAVRO_OUT_OF_MEMORY;
    if (message.starts_with("internal error")) return TAVRO_INTERNAL;
    return TAVRO_CALCULATION_FAULT;
}

// The message the command line wrote, without its program prefix and line end.
std::string Message(std::string text) {
    constexpr std::string_view kPrefix = "tavro-calc: ";
    if (text.starts_with(kPrefix)) text.erase(0, kPrefix.size());
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

Json Response(int status) {
    return {{"library_version", TAVRO_VERSION_STRING},
            {"format_version", TAVRO_FORMAT_VERSION},
            {"status", tavro_status_name(status)}};
}

std::string Run(const char* requestText, int& status) {
    std::string message;
    Json result;
    status = Guard(&message, [&] {
        const std::string_view text = RequireText(requestText, "the request");
        if (TooDeep(text)) Refuse("the request nests deeper than " + std::to_string(kMaxDepth));
        const Json request = Json::parse(text, nullptr, false);
        if (request.is_discarded()) Refuse("the request is not valid JSON");
        std::vector<std::string> words = CommandLine(request);
        words.push_back("--json");
        const std::vector<std::string_view> views(words.begin(), words.end());
        std::ostringstream out, err;
        const int exit = cli::Run(views, out, err);
        if (!out.str().empty()) {
            result = Json::parse(out.str(), nullptr, false);
            if (result.is_discarded()) {
                throw StatusError(TAVRO_INTERNAL, "the command's output is not JSON");
            }
        }
        if (StatusOfExit(exit, {}) != TAVRO_OK) {
            const std::string problem = Message(err.str());
            throw StatusError(StatusOfExit(exit, problem), problem);
        }
    });
    Json response = Response(status);
    if (!result.is_null()) response["result"] = std::move(result);
    if (status != TAVRO_OK) response["error"] = message;
    return response.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace
} // namespace tavro::lib

extern "C" int tavro_run_json(const char* request, char** response) {
    if (response == nullptr) return TAVRO_BAD_ARGUMENT;
    *response = nullptr;
    int status = TAVRO_INTERNAL;
    try {
        *response = tavro::lib::CopyOut(tavro::lib::Run(request, status));
        return status;
    } catch (const std::bad_alloc&) {
        return TAVRO_OUT_OF_MEMORY;
    } catch (...) {
        return TAVRO_INTERNAL;
    }
}
