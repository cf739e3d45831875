// Result names, the exception classes and the checked result.

#include "AAX_CheckedResult.h"
#include "AAX_Errors.h"
#include "AAX_Exception.h"
#include "HostSession.h"

#include <gtest/gtest.h>

#include <exception>
#include <type_traits>

TEST (ResultNames, CodesHaveTheirNames)
{
    EXPECT_EQ ("AAX_SUCCESS", AAX_ResultToString (0));
    EXPECT_EQ ("AAX_ERROR_INVALID_PARAMETER_ID", AAX_ResultToString (-20001));
    EXPECT_EQ ("AAX_RESULT_PACKET_STREAM_NOT_EMPTY", AAX_ResultToString (-20022));
    EXPECT_EQ ("AAX_ERROR_MALFORMED_CHUNK", AAX_ResultToString (-20026));
    EXPECT_EQ ("AAX_RESULT_NEW_PACKET_POSTED", AAX_ResultToString (-20028));
    EXPECT_EQ ("AAX_ERROR_PLUGIN_NULL_PARAMETER", AAX_ResultToString (-20030));
    EXPECT_EQ ("AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW", AAX_ResultToString (-20046));

    for (AAX_Result code = -20046; code <= -20001; ++code)
    {
        if (code == -20029)
            continue;

        EXPECT_NE ("<unknown error code>", AAX_ResultToString (code)) << code;
    }
}

TEST (ResultNames, CodesOutsideTheTableAreUnknown)
{
    for (AAX_Result code : { -20047, -20029, 5, -333, -1, static_cast<AAX_Result> (0x8000FFFFu) })
        EXPECT_EQ ("<unknown error code>", AAX_ResultToString (code)) << code;
}

TEST (Exceptions, ResultErrorPrintsNameAndSignedCode)
{
    const AAX::Exception::ResultError error (-20001);
    EXPECT_EQ ("AAX_ERROR_INVALID_PARAMETER_ID (-20001)", error.Message());
    EXPECT_EQ (error.Message(), error.What());
    EXPECT_EQ (-20001, error.Result());

    EXPECT_EQ ("<unknown error code> (-333)", AAX::Exception::ResultError (-333).What());
    EXPECT_EQ ("<unknown error code> (7)", AAX::Exception::ResultError (7).What());
}

TEST (Exceptions, DescriptionAddsFunctionAndLineWhenGiven)
{
    EXPECT_EQ ("failed", AAX::Exception::Any ("failed").What());
    EXPECT_EQ ("failed func:Describe", AAX::Exception::Any ("failed", "Describe").What());
    EXPECT_EQ ("failed line:12", AAX::Exception::Any ("failed", "", "12").What());
    EXPECT_EQ ("failed func:Describe line:12", AAX::Exception::Any ("failed", "Describe", "12").What());
}

TEST (Exceptions, AreNotStandardExceptions)
{
    // Handlers for std::exception must not catch the library's exceptions.
    static_assert (! std::is_base_of_v<std::exception, AAX::Exception::Any>);
    static_assert (std::is_base_of_v<AAX::Exception::Any, AAX::Exception::ResultError>);
}

TEST (CheckedResult, SuccessPassesSilently)
{
    HostSession session;
    AAX_CheckedResult result (0);
    EXPECT_NO_THROW (result = 0);
    EXPECT_EQ (0, result.Result());
    EXPECT_EQ (0, result.LastError());
    EXPECT_TRUE (session.Traces().empty());
}

TEST (CheckedResult, FailureIsTracedThenThrown)
{
    HostSession session;
    AAX_CheckedResult result;

    try
    {
        result = -20004;
        FAIL() << "no exception";
    }
    catch (const AAX::Exception::ResultError& error)
    {
        EXPECT_EQ (-20004, error.Result());
    }

    EXPECT_EQ (0, result.Result());
    EXPECT_EQ (-20004, result.LastError());

    ASSERT_EQ (1u, session.Traces().size());
    EXPECT_EQ (0x4000000, session.Traces()[0].priority);
    EXPECT_EQ ("AAX_CheckedResult - throwing AAX_ERROR_NULL_OBJECT (-20004)", session.Traces()[0].text);

    // It keeps working after a throw.
    EXPECT_NO_THROW (result = 0);
    EXPECT_THROW (result = 5, AAX::Exception::ResultError);
    EXPECT_EQ (5, result.LastError());
}

TEST (CheckedResult, ConstructionWithAFailureThrows)
{
    HostSession session;
    EXPECT_THROW (AAX_CheckedResult (-20042), AAX::Exception::ResultError);
    EXPECT_EQ (1u, session.Traces().size());
}
