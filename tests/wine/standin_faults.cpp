#include "standin_faults.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace oxi::standin {
namespace {

using Kind = SimulatedFault::Kind;

struct KindName {
  const char* name;
  Kind kind;
};
constexpr KindName kKinds[] = {
    {"nak", Kind::kNak},          {"silence", Kind::kSilence}, {"delay", Kind::kDelay},
    {"split", Kind::kSplitFrame}, {"unplug", Kind::kUnplug},   {"erase", Kind::kEraseDuration},
};

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  for (;;) {
    const auto end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

bool ReadInt(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end;
}

std::optional<SimulatedFault> ParseFault(const std::string& text) {
  const std::vector<std::string> fields = Split(text, ':');
  if (fields.size() < 2 || fields.size() > 5) return std::nullopt;
  const auto named = std::find_if(std::begin(kKinds), std::end(kKinds),
                                  [&](const KindName& k) { return fields[0] == k.name; });
  if (named == std::end(kKinds)) return std::nullopt;
  SimulatedFault fault{named->kind, fields[1]};
  int* numbers[] = {&fault.value, &fault.skip, &fault.times};
  for (std::size_t i = 2; i < fields.size(); ++i) {
    if (!ReadInt(fields[i], *numbers[i - 2])) return std::nullopt;
  }
  return fault;
}

}  // namespace

std::optional<std::vector<SimulatedFault>> ParseFaults(const std::string& list,
                                                       std::string* problem) {
  std::vector<SimulatedFault> faults;
  if (list.empty()) return faults;
  for (const std::string& text : Split(list, ';')) {
    const std::optional<SimulatedFault> fault = ParseFault(text);
    if (!fault) {
      if (problem) *problem = "no fault: " + text;
      return std::nullopt;
    }
    faults.push_back(*fault);
  }
  return faults;
}

}  // namespace oxi::standin
