#include "profile/cadet_files.h"

#include <charconv>

namespace qz {
namespace {

constexpr std::string_view kExtension = ".ini";
constexpr std::string_view kCadetInfix = ".cadet-";
constexpr std::string_view kRemovedInfix = ".removed-";

}  // namespace

std::string CadetFileName(std::string_view app_name, int number) {
  std::string name(app_name);
  if (number != kFirstCadetNumber)
    name += std::string(kCadetInfix) + std::to_string(number);
  return name + std::string(kExtension);
}

std::optional<int> CadetNumberOf(std::string_view app_name, std::string_view file_name) {
  if (!file_name.starts_with(app_name) || !file_name.ends_with(kExtension))
    return std::nullopt;
  std::string_view middle = file_name.substr(app_name.size());
  middle.remove_suffix(kExtension.size());
  if (middle.empty())
    return kFirstCadetNumber;
  if (!middle.starts_with(kCadetInfix))
    return std::nullopt;
  const std::string_view digits = middle.substr(kCadetInfix.size());
  // One spelling for each number: a name with leading zeros would be a second file for it.
  if (digits.empty() || digits.size() > 5 || digits[0] == '0')
    return std::nullopt;
  int number = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (ec != std::errc() || end != digits.data() + digits.size() || number < 2 ||
      number > kMaxCadetNumber)
    return std::nullopt;
  return number;
}

std::string RemovedFileName(std::string_view cadet_file_name, int attempt) {
  std::string_view stem = cadet_file_name;
  if (stem.ends_with(kExtension))
    stem.remove_suffix(kExtension.size());
  return std::string(stem) + std::string(kRemovedInfix) + std::to_string(attempt) +
         std::string(kExtension);
}

}  // namespace qz
