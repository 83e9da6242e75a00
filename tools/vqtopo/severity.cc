#include "severity.h"

#include <array>

namespace severity {
namespace {

struct Entry {
  Severity value;
  const char* name;
  const char* colour;
  int rank;
};

constexpr std::array<Entry, 6> entries{{
    {VQTopoNode::critical, "critical", "#d62728", 5},
    {VQTopoNode::major, "major", "#ff7f0e", 4},
    {VQTopoNode::minor, "minor", "#e8c31a", 3},
    {VQTopoNode::warning, "warning", "#1f9bcf", 2},
    {VQTopoNode::indeterminate, "indeterminate", "#9467bd", 1},
    {VQTopoNode::cleared, "cleared", "#2ca02c", 0},
}};

const Entry* find(Severity severity) {
  for (const Entry& entry : entries) {
    if (entry.value == severity) return &entry;
  }
  return nullptr;
}

}  // namespace

std::string name(Severity severity) {
  const Entry* entry = find(severity);
  return entry ? entry->name : "unknown";
}

std::string colour(Severity severity) {
  const Entry* entry = find(severity);
  return entry ? entry->colour : "#7f7f7f";
}

int rank(Severity severity) {
  const Entry* entry = find(severity);
  // A value the server invented still counts for more than a cleared node.
  return entry ? entry->rank : 1;
}

Severity worst(Severity a, Severity b) { return rank(b) > rank(a) ? b : a; }

bool parse(std::string_view text, Severity& severity) {
  for (const Entry& entry : entries) {
    if (text == entry.name) {
      severity = entry.value;
      return true;
    }
  }
  return false;
}

}  // namespace severity
