#pragma once

#include "AAX.h"

#include <string>

// Name of a result code ("AAX_SUCCESS", "AAX_ERROR_NULL_OBJECT", ..., "<unknown error code>").
std::string AAX_ResultToString (AAX_Result iResult);

namespace AAX
{
    namespace Exception
    {
        // The library's exception base. It deliberately has no standard exception base:
        // catch handlers for std::exception must not swallow it.
        class Any
        {
        public:
            explicit Any (const std::string& iMessage, const std::string& iFunction = std::string(), const std::string& iLine = std::string());
            virtual ~Any();

            const std::string& Message() const { return mMessage; }
            const std::string& Function() const { return mFunction; }
            const std::string& Line() const { return mLine; }
            const std::string& What() const { return mDesc; }

        private:
            std::string mMessage;
            std::string mFunction;
            std::string mLine;
            std::string mDesc;
        };

        // A failed result code; the message is the code's name and its signed value.
        class ResultError : public Any
        {
        public:
            explicit ResultError (AAX_Result iResult);
            ~ResultError() override;

            AAX_Result Result() const { return mResult; }

        private:
            AAX_Result mResult;
        };
    }
}
