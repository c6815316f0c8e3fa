// The rules by which the variant's keyboard collections are recognised in the device table.
#pragma once
#include "hid_device_manager.h"

// The vendor id is the variant's.
bool HasVariantVendor(const DeviceRecord& record);
// The product id is one the variant accepts (any product in a variant without a list).
bool HasAcceptedProduct(const DeviceRecord& record);
// DeviceArrival: usage page, vendor and product; the usage is not tested.
bool MatchesForArrival(const DeviceRecord& record, int usage_page);
// ReadDevice: usage page, usage, vendor and product.
bool MatchesForReading(const DeviceRecord& record, int usage_page, int usage);
// SetKbdFeatures: usage page, usage and vendor; the product is not tested.
bool MatchesForFeatures(const DeviceRecord& record, int usage_page, int usage);
