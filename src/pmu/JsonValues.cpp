#include "pmu/JsonValues.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace sg {

namespace {

// Builds the document as the library's own builder does, but leaves out the members whose key
// is not kept, and everything within them.
class PrunedBuilder final : public nlohmann::json_sax<Json> {
  public:
    PrunedBuilder(Json& root, std::initializer_list<std::string_view> kept)
        : root_(root), kept_(kept) {}

    bool null() override { return Value(nullptr); }
    bool boolean(bool value) override { return Value(value); }
    bool number_integer(number_integer_t value) override { return Value(value); }
    bool number_unsigned(number_unsigned_t value) override { return Value(value); }
    bool number_float(number_float_t value, const string_t&) override { return Value(value); }
    bool string(string_t& value) override { return Value(value); }
    bool binary(binary_t&) override { return Value(nullptr); } // never in a JSON text
    bool start_object(std::size_t) override { return Open(Json::object()); }
    bool start_array(std::size_t) override { return Open(Json::array()); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }
    bool key(string_t& key) override {
        if (skipped_ > 0) return true;
        drop_ = open_.size() > 1 &&
                std::find(kept_.begin(), kept_.end(), std::string_view(key)) == kept_.end();
        if (!drop_) key_ = key;
        return true;
    }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception&) override {
        errorPosition_ = position;
        return false;
    }

    std::size_t ErrorPosition() const { return errorPosition_; }

  private:
    template <typename T> bool Value(T&& value) {
        if (skipped_ > 0 || std::exchange(drop_, false)) return true;
        Insert(Json(std::forward<T>(value)));
        return true;
    }
    bool Open(Json container) {
        if (skipped_ > 0 || std::exchange(drop_, false)) {
            ++skipped_;
            return true;
        }
        open_.push_back(Insert(std::move(container)));
        return true;
    }
    bool Close() {
        if (skipped_ > 0) {
            --skipped_;
            return true;
        }
        open_.pop_back();
        return true;
    }
    // Only the innermost open container grows, so the pointers to the others stay good.
    Json* Insert(Json value) {
        if (open_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        Json& into = *open_.back();
        if (into.is_array()) {
            into.push_back(std::move(value));
            return &into.back();
        }
        Json& member = into[key_];
        member = std::move(value);
        return &member;
    }

    Json& root_;
    std::initializer_list<std::string_view> kept_;
    std::vector<Json*> open_;
    std::string key_;
    bool drop_ = false; // the next value belongs to a member left out
    int skipped_ = 0;   // depth within a container left out
    std::size_t errorPosition_ = 0;
};

} // namespace

DocumentResult<Json> ParseJson(std::string_view text,
                               std::initializer_list<std::string_view> keptKeys) {
    Json root;
    PrunedBuilder builder(root, keptKeys);
    if (!Json::sax_parse(text.begin(), text.end(), &builder))
        return DocumentError{DocumentProblem::Unreadable,
                             "octet " + std::to_string(builder.ErrorPosition())};
    return root;
}

const Json* Member(const Json* object, const char* key) {
    if (object == nullptr || !object->is_object()) return nullptr;
    auto found = object->find(key);
    return found == object->end() ? nullptr : &*found;
}

std::optional<long long> WholeNumber(const Json* value) {
    if (value == nullptr) return std::nullopt;
    if (value->is_number_integer()) {
        if (value->is_number_unsigned() &&
            value->get<std::uint64_t>() > static_cast<std::uint64_t>(1LL << 53))
            return std::nullopt;
        return value->get<long long>();
    }
    if (value->is_number_float()) {
        double number = value->get<double>();
        if (!std::isfinite(number) || std::fabs(number) > 9e15 || std::trunc(number) != number)
            return std::nullopt;
        return static_cast<long long>(number);
    }
    return std::nullopt;
}

std::string Text(const Json* value) {
    return value != nullptr && value->is_string() ? value->get<std::string>() : std::string();
}

const Json* BetList(const Json& document) {
    if (document.is_array()) return &document;
    if (!document.is_object()) return nullptr;
    for (const auto& [key, value] : document.items()) {
        if (value.is_array() && !value.empty() && Member(&value.front(), "typePari")) return &value;
    }
    return nullptr;
}

} // namespace sg
