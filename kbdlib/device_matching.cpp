#include "device_matching.h"

#include "variant.h"

bool HasVariantVendor(const DeviceRecord& record) { return record.vendor_id == variant::kVendorId; }

bool HasAcceptedProduct(const DeviceRecord& record) {
  if (variant::kAnyProduct) return true;
  for (unsigned short product : variant::kProductIds) {
    if (record.product_id == product) return true;
  }
  return false;
}

bool MatchesForArrival(const DeviceRecord& record, int usage_page) {
  return record.usage_page == static_cast<ULONG>(usage_page) && HasVariantVendor(record) &&
         HasAcceptedProduct(record);
}

bool MatchesForReading(const DeviceRecord& record, int usage_page, int usage) {
  return MatchesForFeatures(record, usage_page, usage) && HasAcceptedProduct(record);
}

bool MatchesForFeatures(const DeviceRecord& record, int usage_page, int usage) {
  return record.usage_page == static_cast<ULONG>(usage_page) &&
         record.usage == static_cast<ULONG>(usage) && HasVariantVendor(record);
}
