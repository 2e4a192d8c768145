# Read by cpack before it packs: the date cmake chose for this build folder.
set(ENV{SOURCE_DATE_EPOCH} "${CPACK_VOSTREL_SOURCE_DATE_EPOCH}")
