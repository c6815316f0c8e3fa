# The ZOK and YEV keyboard variants. Everything that differs between them is in this folder:
# variants/<name>/variant.h (USB identifiers, key rows, pictures) and the names below.
set(ZOK_VARIANTS ZOK YEV)
set(ZOK_VARIANT_ZOK_CONFIG zokcfg)
set(ZOK_VARIANT_YEV_CONFIG yevcfg)
set(ZOK_VARIANT_ZOK_KBDLIB ZOKUSB)
set(ZOK_VARIANT_YEV_KBDLIB YEVUSB)

# Builds TARGET for VARIANT (ZOK or YEV): its variant.h comes first on the include path.
function(zok_use_variant target variant)
  string(TOLOWER ${variant} lower)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/variants/${lower})
  target_compile_definitions(${target} PRIVATE ZOK_VARIANT_${variant}=1)
endfunction()
