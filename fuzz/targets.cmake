# Every fuzz target; each has fuzz/<name>.cpp and a checked-in corpus in fuzz/corpus/<name>/.
set(KV_FUZZ_TARGETS
    catalog_codecs
    catalog_open
    archive_detect
    archive_list_arc
    archive_list_arj
    archive_list_bh
    archive_list_cab
    archive_list_gzip
    archive_list_ha
    archive_list_lha
    archive_list_rar
    archive_list_tar
    archive_list_zip
    archive_list_zoo
)
# The ZIP-family decoders.
list(APPEND KV_FUZZ_TARGETS decode_inflate decode_shrink decode_reduce decode_implode)
# The LHA, ARJ, ZOO and ARC decoders.
list(APPEND KV_FUZZ_TARGETS decode_lzh decode_lh1 decode_arj4 decode_lzd decode_arc)
# The extractors' member loops, and our RAR library's header walk.
list(APPEND KV_FUZZ_TARGETS extract_zip extract_lha extract_arj extract_zoo extract_arc extract_tar extract_gzip)
list(APPEND KV_FUZZ_TARGETS extract_rar rar_session)

# Drive and registry data.
list(APPEND KV_FUZZ_TARGETS media_parsers)
# The settings ini file.
list(APPEND KV_FUZZ_TARGETS settings_ini)
# Description files read from media and archives.
list(APPEND KV_FUZZ_TARGETS desc_descript_ion desc_files_bbs desc_file_id_diz)
# The earlier DOS program's database.
list(APPEND KV_FUZZ_TARGETS ostrandel_import)
# Custom report layouts (.CRP).
list(APPEND KV_FUZZ_TARGETS custom_layout)
