#pragma once

// Reading checked values out of a parsed JSON document: every access names
// the key it reads as a path ("cases[0].inputs.Edge"), so that a missing
// key, a wrong type or a value out of range is reported as a DocumentError
// naming it. Used by the selection document's reader only.

#include "product/model/selection_document.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

/// A view of one JSON value and its path in the document. The value must
/// outlive the view. Every function throws DocumentError naming the key at
/// fault; "NaN", "Infinity" and "-Infinity" stand for the numbers JSON
/// cannot hold.
class DocumentReader {
public:
    using Json = nlohmann::ordered_json;

    DocumentReader(const Json& j, std::string path) : j_(j), path_(std::move(path)) {}

    DocumentReader At(std::string_view key, Json::value_t type = Json::value_t::object) const {
        const std::string path = Sub(key);
        const auto it = j_.find(key);
        if (it == j_.end()) throw DocumentError(path, "is missing");
        if (it->type() != type && !(IsNumber(type) && it->is_number())) {
            throw DocumentError(path, std::string("must be ") + TypeName(type) + ", not " +
                                          it->type_name());
        }
        return DocumentReader(*it, path);
    }
    DocumentReader Item(size_t i) const {
        return DocumentReader(j_[i], path_ + "[" + std::to_string(i) + "]");
    }
    size_t Size() const { return j_.size(); }
    const Json& json() const { return j_; }
    const std::string& path() const { return path_; }

    bool Bool(std::string_view key) const { return At(key, Json::value_t::boolean).j_.get<bool>(); }
    std::string Text(std::string_view key) const {
        return At(key, Json::value_t::string).j_.get<std::string>();
    }
    int64_t Integer(std::string_view key, int64_t lo, int64_t hi) const {
        const DocumentReader r = At(key, Json::value_t::number_integer);
        if (!r.j_.is_number_integer()) throw DocumentError(r.path_, "must be a whole number");
        const auto v =
            r.j_.is_number_unsigned()
                ? static_cast<int64_t>(std::min<uint64_t>(r.j_.get<uint64_t>(), INT64_MAX))
                : r.j_.get<int64_t>();
        if (v < lo || v > hi) r.OutOfRange(lo, hi);
        return v;
    }
    // A number; the texts "NaN", "Infinity" and "-Infinity" stand for the
    // values JSON cannot hold.
    double Number(std::string_view key) const {
        const std::string path = Sub(key);
        const auto it = j_.find(key);
        if (it == j_.end()) throw DocumentError(path, "is missing");
        return NumberOf(*it, path);
    }
    double Number(std::string_view key, double lo, double hi) const {
        const double v = Number(key);
        if (!(v >= lo && v <= hi)) DocumentReader(j_[key], Sub(key)).OutOfRange(lo, hi);
        return v;
    }
    std::vector<std::string> Texts(std::string_view key) const {
        const DocumentReader a = At(key, Json::value_t::array);
        std::vector<std::string> out;
        for (size_t i = 0; i < a.Size(); ++i) {
            const DocumentReader item = a.Item(i);
            if (!item.j_.is_string()) throw DocumentError(item.path_, "must be a text");
            out.push_back(item.j_.get<std::string>());
        }
        return out;
    }

    static double NumberOf(const Json& j, const std::string& path) {
        if (j.is_number()) return j.get<double>();
        if (j.is_string()) {
            const std::string& t = j.get_ref<const std::string&>();
            if (t == "NaN") return std::numeric_limits<double>::quiet_NaN();
            if (t == "Infinity") return std::numeric_limits<double>::infinity();
            if (t == "-Infinity") return -std::numeric_limits<double>::infinity();
        }
        throw DocumentError(path, std::string("must be a number, not ") + j.type_name());
    }

    template <class T> [[noreturn]] void OutOfRange(T lo, T hi) const {
        throw DocumentError(path_, "is " + j_.dump() + ", out of its range " + Plain(lo) + " to " +
                                       Plain(hi));
    }

private:
    static std::string Plain(double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", v);
        return buf;
    }
    static std::string Plain(int64_t v) { return std::to_string(v); }
    static bool IsNumber(Json::value_t t) {
        return t == Json::value_t::number_integer || t == Json::value_t::number_float;
    }
    static const char* TypeName(Json::value_t t) {
        switch (t) {
        case Json::value_t::object:
            return "an object";
        case Json::value_t::array:
            return "a list";
        case Json::value_t::string:
            return "a text";
        case Json::value_t::boolean:
            return "true or false";
        default:
            return "a number";
        }
    }
    std::string Sub(std::string_view key) const {
        return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
    }

    const Json& j_;
    std::string path_;
};

} // namespace tavro
