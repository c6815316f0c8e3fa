// Resource numbers of KeyBridge.
#pragma once

#define IDD_KEYBRIDGE 102
#define IDI_KEYBRIDGE 128
