#pragma once
// The user's named filters: the twelve defaults, their section "CustomFilter" of the settings
// file, and restoring the defaults.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lorvanel {

class IniFile;

// A name (never containing ",") and a filter-language text (may contain ","), CP932.
struct CustomFilter {
    std::string name;
    std::string text;
    friend bool operator==(const CustomFilter&, const CustomFilter&) = default;
};

// The longest name the filter dialog accepts, in characters.
inline constexpr int kMaxCustomFilterName = 64;

// The twelve defaults in their order.
const std::vector<CustomFilter>& defaultCustomFilters();

// The ordered list the filter tree shows. Records keep their addresses while they are in the
// list, so tree items may point at them.
class CustomFilterList {
public:
    using Items = std::vector<std::unique_ptr<CustomFilter>>;

    const Items& items() const { return items_; }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    // The filters as values, in list order.
    std::vector<CustomFilter> values() const;

    CustomFilter& append(CustomFilter filter);
    // Removes and destroys the record; nothing when it is not in the list.
    void remove(const CustomFilter* filter);
    void clear() { items_.clear(); }

    // Removes, for each default in order, the first filter of the same name or else the first
    // of the same text, then puts the twelve defaults in front of what remains.
    void restoreDefaults();

    // Reads section "CustomFilter": "Count", then the values "0" .. "Count-1", each "name,text"
    // split at its first ","; a value without "," is skipped. No filter at all gives the
    // defaults.
    void read(const IniFile& ini);
    // Writes "Count" and one "name,text" value per filter. Keys beyond the new count stay as
    // they were; "Count" keeps them from being read.
    void write(IniFile& ini) const;

private:
    Items items_;
};

// The stored form of one filter, and back: the value "name,text"; nothing when it holds no
// ",".
std::string customFilterValue(const CustomFilter& filter);
bool parseCustomFilterValue(std::string_view value, CustomFilter& filter);

} // namespace lorvanel
