# The fuzz targets, one per parser. The including folder first defines
# statdesk_fuzz_target(name SOURCES ... [INCLUDES ...] [LIBS ...] [LABELS ...]): fuzz/ makes libFuzzer
# programs of them, tests/fuzz the replay tests. Where a parser lives in a widget library, its
# pure-logic source files are compiled in directly so that neither build needs the widget layers.
set(fuzz_targets_dir ${CMAKE_CURRENT_LIST_DIR}/targets)
set(src ${CMAKE_SOURCE_DIR}/src)

# Label gui: the font caches of its application object live until the process ends.
statdesk_fuzz_target(brand_record SOURCES ${fuzz_targets_dir}/fuzz_brand_record.cpp
                     LIBS statdesk_brandtool Qt6::Gui LABELS gui)
statdesk_fuzz_target(http_reply SOURCES ${fuzz_targets_dir}/fuzz_http_reply.cpp LIBS statdesk_service)
statdesk_fuzz_target(page_reply SOURCES ${fuzz_targets_dir}/fuzz_page_reply.cpp LIBS statdesk_service)
statdesk_fuzz_target(list_reply SOURCES ${fuzz_targets_dir}/fuzz_list_reply.cpp LIBS statdesk_service)
statdesk_fuzz_target(proxy_file SOURCES ${fuzz_targets_dir}/fuzz_proxy_file.cpp ${src}/app/ProxyFile.cpp
                     INCLUDES ${src}/app ${src}/service LIBS Qt6::Core)
statdesk_fuzz_target(print_definition
                     SOURCES ${fuzz_targets_dir}/fuzz_print_definition.cpp ${src}/print/PrintDefinitionFile.cpp
                             ${src}/print/PrintOptions.cpp ${src}/print/PrintColumns.cpp
                     INCLUDES ${src}/print LIBS statdesk_layout Qt6::Core)
statdesk_fuzz_target(version_lists SOURCES ${fuzz_targets_dir}/fuzz_version_lists.cpp ${src}/online/VersionLists.cpp
                     INCLUDES ${src}/online LIBS statdesk_service)
statdesk_fuzz_target(news_readers
                     SOURCES ${fuzz_targets_dir}/fuzz_news_readers.cpp ${src}/online/NewsReaders.cpp
                             ${src}/online/TickerRotation.cpp
                     INCLUDES ${src}/online LIBS statdesk_service)
statdesk_fuzz_target(lzw_decode SOURCES ${fuzz_targets_dir}/fuzz_lzw_decode.cpp ${src}/online/LzwDecoder.cpp
                     ${src}/online/LzwDictionary.cpp INCLUDES ${src}/online)
statdesk_fuzz_target(lzw_roundtrip
                     SOURCES ${fuzz_targets_dir}/fuzz_lzw_roundtrip.cpp ${src}/online/LzwCompressor.cpp
                             ${src}/online/LzwDecoder.cpp ${src}/online/LzwDictionary.cpp
                     INCLUDES ${src}/online LIBS Qt6::Core)
statdesk_fuzz_target(request_parser SOURCES ${fuzz_targets_dir}/fuzz_request_parser.cpp LIBS statdesk_engine)
statdesk_fuzz_target(dataset_rows SOURCES ${fuzz_targets_dir}/fuzz_dataset_rows.cpp LIBS statdesk_dataset_core)
statdesk_fuzz_target(query_diff
                     SOURCES ${fuzz_targets_dir}/fuzz_query_diff.cpp ${src}/view/ColumnCatalogue.cpp
                             ${src}/view/PlayerColumns.cpp ${src}/view/TeamColumns.cpp
                     INCLUDES ${src}/view LIBS statdesk_engine)
