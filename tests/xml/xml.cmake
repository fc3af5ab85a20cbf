vantle_test(test_xml_cache xmlcache_test.cpp)
