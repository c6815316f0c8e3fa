# The ZOK and YEV keyboard variants. variants/<name>/variant.h says which variant a build is
# (the code asks variant::kIsYev where the two differ) and holds the USB identifiers the
# library accepts; the names below name each variant's deliverables.
set(ZOK_VARIANTS ZOK YEV)
set(ZOK_VARIANT_ZOK_CONFIG zokcfg)
set(ZOK_VARIANT_YEV_CONFIG yevcfg)
set(ZOK_VARIANT_ZOK_KBDLIB ZOKUSB)
set(ZOK_VARIANT_YEV_KBDLIB YEVUSB)

# Builds TARGET for VARIANT (ZOK or YEV): its variant.h comes first on the include path.
# zok_use_variant(target variant [PUBLIC]): PUBLIC passes the variant on to what links target.
function(zok_use_variant target variant)
  set(scope PRIVATE)
  if(ARGC GREATER 2)
    set(scope ${ARGV2})
  endif()
  string(TOLOWER ${variant} lower)
  target_include_directories(${target} ${scope} ${CMAKE_SOURCE_DIR}/variants/${lower})
  target_compile_definitions(${target} ${scope} ZOK_VARIANT_${variant}=1)
endfunction()
