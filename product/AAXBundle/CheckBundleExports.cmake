# Fails the build when the bundle does not export each entry function as a defined,
# visible symbol, when it exports JUCE's own symbols, or when the wrapper's description
# routine is missing (the wrapper compiled to nothing).
execute_process(COMMAND ${NM} -D --defined-only ${BINARY} OUTPUT_VARIABLE exported RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot list the symbols of ${BINARY}")
endif()
foreach(entry ACFRegisterPlugin ACFRegisterComponent ACFGetClassFactory ACFCanUnloadNow ACFStartup ACFShutdown ACFGetSDKVersion)
    if(NOT exported MATCHES "[0-9a-f]+ T ${entry}\n")
        message(FATAL_ERROR "${BINARY} does not export ${entry}")
    endif()
endforeach()
if(exported MATCHES "juce")
    message(FATAL_ERROR "${BINARY} exports JUCE's symbols")
endif()

execute_process(COMMAND ${NM} --defined-only ${BINARY} OUTPUT_VARIABLE defined)
if(NOT defined MATCHES "GetEffectDescriptions" OR NOT defined MATCHES "JuceAAX_Processor")
    message(FATAL_ERROR "${BINARY} holds no AAX wrapper: JUCE's wrapper compiled to nothing")
endif()
