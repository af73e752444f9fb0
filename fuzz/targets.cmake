# Every fuzz target; each has fuzz/<name>.cpp and a checked-in corpus in fuzz/corpus/<name>/.
set(KV_FUZZ_TARGETS
    catalog_codecs
    catalog_open
)
