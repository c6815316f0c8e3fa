#include "message_map.h"

namespace dialog {

namespace {

UINT NumberOf(const MessageMapEntry& entry) {
  return entry.registered_message ? *entry.registered_message : entry.message;
}

}  // namespace

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message) {
  if (message == 0) return nullptr;
  for (; map; map = map->base) {
    for (size_t i = 0; i < map->count; ++i) {
      if (NumberOf(map->entries[i]) == message) return &map->entries[i];
    }
  }
  return nullptr;
}

DialogProcAnswer AnswerFor(MessageResult result, LRESULT value) {
  switch (result) {
    case MessageResult::kMessageResult:
      return {TRUE, true, value};
    case MessageResult::kReturnValue:
      return {static_cast<INT_PTR>(value), false, 0};
    case MessageResult::kDefaultProcessing:
      break;
  }
  return {FALSE, false, 0};
}

}  // namespace dialog
